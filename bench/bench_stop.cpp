// How long tallyra-cli takes to end after SIGTERM, sent while sqlite3 is inside a
// transaction of the job (its journal exists): a single job and a batch of three
// to-do files, each stopped several times. Prints every time and the median.
//
//   bench_stop [runs]

#include "BenchDictionaries.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cstdlib>

#include <signal.h>

namespace {

bool journalIn(const QString &folder)
{
    return QDirIterator(folder, {QStringLiteral("*-journal")}, QDir::Files, QDirIterator::Subdirectories).hasNext();
}

// Milliseconds from SIGTERM to the end of the program, -1 when no journal showed.
qint64 stopOnce(const QStringList &arguments, const QString &app)
{
    QDir(app).removeRecursively();
    QProcess cli;
    cli.start(QStringLiteral(TALLYRA_CLI_PATH), arguments);
    cli.waitForStarted();
    QElapsedTimer waited;
    waited.start();
    while (!journalIn(app) && waited.elapsed() < 60000 && cli.state() == QProcess::Running)
        QThread::msleep(2);
    if (!journalIn(app)) {
        cli.kill();
        cli.waitForFinished();
        return -1;
    }
    QElapsedTimer clock;
    clock.start();
    kill(pid_t(cli.processId()), SIGTERM);
    cli.waitForFinished(60000);
    return clock.elapsed();
}

void report(QTextStream &out, const QString &what, QList<qint64> times)
{
    out << what << ":";
    for (qint64 ms : times)
        out << ' ' << ms;
    std::sort(times.begin(), times.end());
    out << " ms, median " << times.value(times.size() / 2) << " ms" << Qt::endl;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    QTemporaryDir dir;
    const auto data = BenchDictionaries::write(dir.filePath(QStringLiteral("data")), BenchDictionaries::Format::Glossary,
                                               {30000, 60000});
    for (const QString &name : {QStringLiteral("x.glo"), QStringLiteral("y.glo"), QStringLiteral("z.glo")}) {
        QDir().mkpath(dir.filePath(QStringLiteral("todo")));
        QFile::copy(data.todo, dir.filePath(QStringLiteral("todo/") + name));
    }
    const QString appFolder = dir.filePath(QStringLiteral("app"));
    const QStringList common{QStringLiteral("--reference"), data.reference, QStringLiteral("--app-folder"), appFolder};
    const QStringList single{QStringLiteral("--todo"), data.todo, QStringLiteral("--output"),
                             dir.filePath(QStringLiteral("out.glo"))};
    const QStringList batch{QStringLiteral("--todo-dir"), dir.filePath(QStringLiteral("todo")),
                            QStringLiteral("--output-dir"), dir.filePath(QStringLiteral("out"))};
    QTextStream out(stdout);
    QList<qint64> singleTimes, batchTimes;
    for (int run = 0; run < runs; ++run) {
        singleTimes << stopOnce(single + common, appFolder);
        batchTimes << stopOnce(batch + common, appFolder);
    }
    report(out, QStringLiteral("single job stopped by SIGTERM"), singleTimes);
    report(out, QStringLiteral("batch stopped by SIGTERM     "), batchTimes);
    return 0;
}
