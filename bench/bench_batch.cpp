// Runs one project of to-do dictionaries against one reference three ways, in the
// same run on the same data: the files one by one as single-file tallyra-cli runs
// (each purifies the reference again), and as one batch with --jobs 1 and --jobs 2.
// Prints the wall times, the ratios to the one-by-one time, the load average, and
// whether every batch result is byte-identical to its single-file result.
//
//   bench_batch [--files 20] [--entries 50000] [--reference-entries 200000]
//               [--format txt|glo] [--data DIR]
//
// The data is generated under DIR (default: the temporary folder's tallyra-bench)
// and reused by later runs with the same sizes.

#include "BenchDictionaries.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTextStream>

namespace {

constexpr double JobsTwoTarget = 0.55;
const auto DataVersion = QStringLiteral("bench-batch 1");

struct Project {
    QString todoFolder;
    QString reference;
    QStringList todoNames;
};

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).trimmed() : QString();
}

// Every to-do file is its own slice of the to-do entries of the one reference.
Project ensureProject(const QString &root, const QString &format, int files, qint64 entries, qint64 referenceEntries,
                      QTextStream &out)
{
    const auto dictionaryFormat =
        format == u"glo" ? BenchDictionaries::Format::Glossary : BenchDictionaries::Format::TwoLineText;
    const QString folder =
        QDir(root).filePath(QStringLiteral("batch-%1-%2x%3-%4").arg(format).arg(files).arg(entries).arg(referenceEntries));
    Project project;
    project.todoFolder = QDir(folder).filePath(QStringLiteral("todo"));
    project.reference = BenchDictionaries::fileNames(folder, dictionaryFormat).reference;
    const QString extension = format == u"glo" ? QStringLiteral(".glo") : QStringLiteral(".u.txt");
    for (int i = 0; i < files; ++i)
        project.todoNames << QStringLiteral("module%1%2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(extension);

    const QByteArray stamp = QStringLiteral("%1 seed %2").arg(DataVersion).arg(BenchDictionaries::DefaultSeed).toUtf8();
    QFile stampFile(QDir(folder).filePath(QStringLiteral("stamp.txt")));
    if (stampFile.open(QIODevice::ReadOnly) && stampFile.readAll() == stamp)
        return project;
    stampFile.close();
    out << "generating " << files << " x " << entries << " to-do entries and " << referenceEntries
        << " reference entries in " << folder << " ... " << Qt::flush;
    QElapsedTimer clock;
    clock.start();
    BenchDictionaries::write(folder, dictionaryFormat, {0, referenceEntries});
    QDir().mkpath(project.todoFolder);
    for (int i = 0; i < files; ++i) {
        BenchDictionaries::writeTodo(QDir(project.todoFolder).filePath(project.todoNames[i]), dictionaryFormat,
                                     {entries, referenceEntries}, BenchDictionaries::DefaultSeed, i * entries);
    }
    if (stampFile.open(QIODevice::WriteOnly))
        stampFile.write(stamp);
    out << clock.elapsed() << " ms" << Qt::endl;
    return project;
}

QString freshFolder(const QString &root, const QString &name)
{
    QDir folder(QDir(root).filePath(name));
    folder.removeRecursively();
    QDir().mkpath(folder.path());
    return folder.path();
}

// Wall time of one tallyra-cli run; -1 when it failed.
qint64 runCli(const QStringList &arguments, QTextStream &err)
{
    QElapsedTimer clock;
    clock.start();
    QProcess cli;
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.start(QStringLiteral(TALLYRA_CLI_PATH), arguments);
    if (!cli.waitForFinished(-1) || cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0) {
        err << "tallyra-cli failed: " << arguments.join(u' ') << "\n" << cli.readAllStandardError() << Qt::endl;
        return -1;
    }
    return clock.elapsed();
}

qint64 runOneByOne(const Project &project, const QString &root, QTextStream &err)
{
    const QString output = freshFolder(root, QStringLiteral("batch-single"));
    const QString app = freshFolder(root, QStringLiteral("batch-app-single"));
    qint64 total = 0;
    for (const QString &name : project.todoNames) {
        const qint64 ms = runCli({QStringLiteral("--todo"), QDir(project.todoFolder).filePath(name),
                                  QStringLiteral("--reference"), project.reference, QStringLiteral("--output"),
                                  QDir(output).filePath(name), QStringLiteral("--app-folder"), app,
                                  QStringLiteral("--full")},
                                 err);
        if (ms < 0)
            return -1;
        total += ms;
    }
    return total;
}

qint64 runBatch(const Project &project, const QString &root, int jobs, QTextStream &err)
{
    return runCli({QStringLiteral("--todo-dir"), project.todoFolder, QStringLiteral("--reference"), project.reference,
                   QStringLiteral("--output-dir"), freshFolder(root, QStringLiteral("batch-jobs%1").arg(jobs)),
                   QStringLiteral("--app-folder"), freshFolder(root, QStringLiteral("batch-app-jobs%1").arg(jobs)),
                   QStringLiteral("--full"), QStringLiteral("--jobs"), QString::number(jobs)},
                  err);
}

bool sameResults(const Project &project, const QString &root, int jobs)
{
    for (const QString &name : project.todoNames) {
        QFile single(QDir(root).filePath(QStringLiteral("batch-single/") + name));
        QFile batch(QDir(root).filePath(QStringLiteral("batch-jobs%1/").arg(jobs) + name));
        if (!single.open(QIODevice::ReadOnly) || !batch.open(QIODevice::ReadOnly) || single.readAll() != batch.readAll())
            return false;
    }
    return true;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times tallyra-cli batches against single-file runs."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("files"), QStringLiteral("To-do dictionaries."), QStringLiteral("N"), QStringLiteral("20")});
    parser.addOption({QStringLiteral("entries"), QStringLiteral("Entries per to-do dictionary."), QStringLiteral("N"),
                      QStringLiteral("50000")});
    parser.addOption({QStringLiteral("reference-entries"), QStringLiteral("Entries of the reference."), QStringLiteral("M"),
                      QStringLiteral("200000")});
    parser.addOption({QStringLiteral("format"), QStringLiteral("txt (two-line text) or glo (PASSOLO glossary)."),
                      QStringLiteral("txt|glo"), QStringLiteral("txt")});
    parser.addOption({QStringLiteral("data"), QStringLiteral("Folder for the data and the results."), QStringLiteral("DIR"),
                      QDir(QDir::tempPath()).filePath(QStringLiteral("tallyra-bench"))});
    parser.process(app);
    const int files = parser.value(QStringLiteral("files")).toInt();
    const qint64 entries = parser.value(QStringLiteral("entries")).toLongLong();
    const qint64 referenceEntries = parser.value(QStringLiteral("reference-entries")).toLongLong();
    const QString format = parser.value(QStringLiteral("format"));
    if (files <= 0 || entries <= 0 || referenceEntries <= 0 || (format != u"txt" && format != u"glo")) {
        err << parser.helpText();
        return 2;
    }
    const QString root = parser.value(QStringLiteral("data"));
    const Project project = ensureProject(root, format, files, entries, referenceEntries, out);

    out << "load average before: " << loadAverage() << Qt::endl;
    const qint64 single = runOneByOne(project, root, err);
    out << "one by one (" << files << " single-file runs): " << single << " ms" << Qt::endl;
    const qint64 jobs1 = runBatch(project, root, 1, err);
    out << "batch --jobs 1: " << jobs1 << " ms" << Qt::endl;
    const qint64 jobs2 = runBatch(project, root, 2, err);
    out << "batch --jobs 2: " << jobs2 << " ms" << Qt::endl;
    out << "load average after: " << loadAverage() << Qt::endl;
    if (single <= 0 || jobs1 < 0 || jobs2 < 0)
        return 1;
    const double ratio2 = double(jobs2) / double(single);
    out << QStringLiteral("ratios to one by one: --jobs 1 %1, --jobs 2 %2 (target for --jobs 2 on 2 cores: <= %3)")
               .arg(double(jobs1) / double(single), 0, 'f', 3)
               .arg(ratio2, 0, 'f', 3)
               .arg(JobsTwoTarget)
        << Qt::endl;
    const bool same = sameResults(project, root, 1) && sameResults(project, root, 2);
    out << "batch results byte-identical to the single-file results: " << (same ? "yes" : "NO") << Qt::endl;
    return same ? 0 : 1;
}
