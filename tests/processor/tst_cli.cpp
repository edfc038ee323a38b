#include "../../bench/BenchDictionaries.h"
#include "../engine/JobFixture.h"

#include <QDirIterator>
#include <QProcess>
#include <QTest>

#include <functional>

#include <signal.h>
#include <sys/resource.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// childSetup runs in the child before tallyra-cli starts (limits, for instance).
CliRun runCli(const QStringList &arguments, const QString &workingFolder = QString(),
              const std::function<void()> &childSetup = {})
{
    QProcess cli;
    cli.setWorkingDirectory(workingFolder);
    if (childSetup)
        cli.setChildProcessModifier(childSetup);
    cli.start(QStringLiteral(TALLYRA_CLI_PATH), arguments);
    cli.waitForFinished(60000);
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput()), QString::fromUtf8(cli.readAllStandardError())};
}

// A table's text with its line breaks as the console writes them.
QString consoleText(const QString &tableText)
{
    return QString(tableText).replace(u"\r\n"_qs, u"\n"_qs);
}

// The processes, zombies aside, that work in a folder or below it.
int livingIn(const QString &folder)
{
    int count = 0;
    for (const QString &name : QDir(u"/proc"_qs).entryList(QDir::Dirs)) {
        const QByteArray stat = readBytes(u"/proc/%1/stat"_qs.arg(name));
        const QByteArray state = stat.mid(stat.lastIndexOf(')') + 2, 1);
        if (name.toInt() > 0 && !state.isEmpty() && state != "Z"
            && QFileInfo(u"/proc/%1/cwd"_qs.arg(name)).symLinkTarget().startsWith(folder))
            ++count;
    }
    return count;
}

// The sqlite3 journals below a folder: a transaction is open.
QStringList journals(const QString &folder)
{
    QStringList found;
    for (QDirIterator files(folder, {u"*-journal"_qs}, QDir::Files, QDirIterator::Subdirectories); files.hasNext();)
        found << files.next();
    return found;
}

// b.glo names no languages, so its result takes the reference's language line even
// though it runs on the purified database.
const QStringList BatchNames{u"a.u.txt"_qs, u"b.glo"_qs, u"sub/c.a.txt"_qs, u"sub/d.glo"_qs};

}

class CliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The program folder's Tallyra.ini folds case; --full names a preset that does not.
    void runsAndSummarisesAJob_data() { addTestTable(u"processor/cli-summaries.txt"_qs, {"preset", "summary", "cancel"}); }
    void runsAndSummarisesAJob()
    {
        const auto [preset, summary, cancel] = fields("preset", "summary", "cancel");
        JobFolder folder;
        folder.copyData(u"cli"_qs);
        const CliRun run = runCli(QStringList{u"--todo"_qs, folder.path(u"todo/a.u.txt"_qs), u"--reference"_qs,
                                              folder.path(u"ref.glo"_qs), u"--output"_qs, folder.path(u"out.u.txt"_qs),
                                              u"--app-folder"_qs, folder.path(u"app"_qs)}
                                  + preset.split(u' ', Qt::SkipEmptyParts));
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        for (const QString &caption : processorStageCaptions())
            QVERIFY2(run.out.contains(caption + QStringLiteral(" 时间: ")), qPrintable(run.out));
        QVERIFY2(run.out.contains(consoleText(summary)), qPrintable(run.out));
        QCOMPARE(folder.readLines(u"out.u.txt"_qs).value(5), cancel);
    }

    // Refusals write nothing: bad arguments (2), or a job or batch that cannot run (1).
    // Help is no error.
    void answersWithTheExitCode_data()
    {
        addTestTable(u"processor/cli-refusals.txt"_qs, {"arguments", "exitCode", "outPart", "errPart"});
    }
    void answersWithTheExitCode()
    {
        const auto [arguments, exitCode, outPart, errPart] = fields("arguments", "exitCode", "outPart", "errPart");
        JobFolder folder;
        folder.copyData(u"cli"_qs);
        const CliRun run = runCli((arguments + u" --app-folder app"_qs).split(u' '), folder.path(QString()));
        QCOMPARE(run.exitCode, exitCode.toInt());
        QVERIFY2(run.out.contains(outPart) && run.err.contains(consoleText(errPart)), qPrintable(run.out + run.err));
        QVERIFY(folder.noFileBelow(u"out"_qs));
    }

    // Past a file-size limit a write fails and is reported; nothing dies of SIGXFSZ.
    void fileSizeLimitEndsInAnError_data() { addTestTable(u"processor/cli-size-limits.txt"_qs, {"limit", "errPart"}); }
    void fileSizeLimitEndsInAnError()
    {
        const auto [limitText, errPart] = fields("limit", "errPart");
        const auto limit = rlim_t(limitText.toInt());
        JobFolder folder;
        // Eight to-do sources with the same match key, so the join is eight times the reference.
        folder.writeBytes(u"todo.glo"_qs, testData(u"cli/okay-keys.glo"_qs));
        QStringList reference;
        for (int i = 0; i < 2000; ++i)
            reference << QStringLiteral("OK\t确定第%1号按钮的一段相当长的译文，用来把文件填满").arg(i);
        folder.write(u"ref.glo"_qs, reference);
        folder.writeBytes(u"out.glo"_qs, "the earlier result");
        const CliRun run = runCli({u"--todo"_qs, folder.path(u"todo.glo"_qs), u"--reference"_qs, folder.path(u"ref.glo"_qs),
                                   u"--output"_qs, folder.path(u"out.glo"_qs), u"--app-folder"_qs, folder.path(u"app"_qs)},
                                  QString(), [limit] {
                                      const rlimit size{limit, limit};
                                      setrlimit(RLIMIT_FSIZE, &size);
                                  });
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(consoleText(errPart)), qPrintable(run.err));
        QCOMPARE(folder.read(u"out.glo"_qs), QByteArray("the earlier result"));
        QCOMPARE(folder.workFiles(), QStringList());
    }

    void everyResultIsTheSingleRunsResult_data()
    {
        addTestTable(u"processor/cli-batches.txt"_qs, {"reference", "purifications", "options"});
    }
    void everyResultIsTheSingleRunsResult()
    {
        const auto [reference, purifications, options] = fields("reference", "purifications", "options");
        JobFolder folder;
        folder.copyData(u"cli"_qs);
        const QString root = folder.path(QString());
        const QStringList common{u"--reference"_qs, reference, u"--app-folder"_qs, u"app"_qs};
        QCOMPARE(runCli({u"--todo"_qs, u"todo/b.glo"_qs, u"--reference"_qs, u"ref.glo"_qs, u"--output"_qs, u"x.glo"_qs,
                         u"--save-db"_qs, u"ref.db"_qs, u"--app-folder"_qs, u"app"_qs}, root).exitCode, 0);
        const QStringList batchArguments{u"--todo-dir"_qs, u"todo"_qs, u"--recursive"_qs, u"--output-dir"_qs, u"out"_qs};
        const CliRun batch = runCli(batchArguments + common + options.split(u' '), root);
        QVERIFY2(batch.exitCode == 0, qPrintable(batch.err));
        QCOMPARE(batch.out.count(processorStageCaptions().value(0)), purifications.toInt());
        QCOMPARE(QFile::exists(folder.path(u"saved.db"_qs)), options.contains(u"--save-db"));
        for (const QString &name : BatchNames) {
            const QStringList single{u"--todo"_qs, u"todo/"_qs + name, u"--output"_qs, u"single"_qs};
            QCOMPARE(runCli(single + common, root).exitCode, 0);
            QCOMPARE(folder.read(u"out/"_qs + name), folder.read(u"single"_qs));
            QVERIFY(batch.out.contains(name + u": 已预翻译 "_qs));
        }
        QCOMPARE(QDir(folder.path(u"app"_qs)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{u"POLOLID.ini"_qs, u"Tallyra.ini"_qs}));
    }

    void aFailingFileStopsNoOther()
    {
        JobFolder folder;
        folder.copyData(u"cli"_qs);
        folder.writeBytes(u"todo/empty.glo"_qs, QByteArray());
        QDir().mkpath(folder.path(u"out/b.glo"_qs));
        const CliRun batch = runCli({u"--todo-dir"_qs, u"todo"_qs, u"--reference"_qs, u"ref.glo"_qs, u"--output-dir"_qs,
                                     u"out"_qs, u"--app-folder"_qs, u"app"_qs},
                                    folder.path(QString()));
        QCOMPARE(batch.exitCode, 1);
        QVERIFY2(batch.err.contains(u"empty.glo: "_qs) && batch.err.contains(u"b.glo: 错误:75"_qs), qPrintable(batch.err));
        QVERIFY(QFileInfo(folder.path(u"out/a.u.txt"_qs)).size() > 0);
        QVERIFY(batch.out.contains(u"1 个失败，1 个跳过"_qs));
    }

    // Stopped while sqlite3 is inside a transaction, which only an end of the whole process
    // group keeps from being committed; what SIGKILL leaves behind the next run copes with.
    void stoppedRunLeavesNoProcess_data() { addTestTable(u"processor/cli-signals.txt"_qs, {"signal", "batch"}); }
    void stoppedRunLeavesNoProcess()
    {
        const auto [signalNumber, batch] = fields("signal", "batch");
        const int signal = signalNumber.toInt();
        JobFolder folder;
        const auto data =
            BenchDictionaries::write(folder.path(u"big"_qs), BenchDictionaries::Format::Glossary, {30000, 60000});
        const QString app = folder.path(u"app"_qs);
        QStringList arguments{u"--reference"_qs, data.reference, u"--app-folder"_qs, app};
        if (batch == u"1") {
            for (const QString &name : {u"todo/x.glo"_qs, u"todo/y.glo"_qs, u"todo/sub/z.glo"_qs})
                folder.writeBytes(name, readBytes(data.todo));
            arguments << u"--todo-dir"_qs << folder.path(u"todo"_qs) << u"--recursive"_qs << u"--output-dir"_qs
                      << folder.path(u"out"_qs);
        } else {
            QDir().mkpath(folder.path(u"out"_qs));
            arguments << u"--todo"_qs << data.todo << u"--output"_qs << folder.path(u"out/x.glo"_qs);
        }
        QProcess cli;
        cli.start(QStringLiteral(TALLYRA_CLI_PATH), arguments);
        QTRY_VERIFY_WITH_TIMEOUT(!journals(app).isEmpty(), 30000);
        kill(pid_t(cli.processId()), signal);
        QVERIFY(cli.waitForFinished());
        QTRY_COMPARE_WITH_TIMEOUT(livingIn(app), 0, 10000);
        QVERIFY(folder.noFileBelow(u"out"_qs));
        if (signal == SIGTERM) {
            QCOMPARE(cli.exitCode(), 128 + SIGTERM);
            QCOMPARE(QDir(app).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"POLOLID.ini"_qs});
            return;
        }
        QVERIFY(!journals(app).isEmpty());
        const CliRun rerun = runCli(arguments);
        QVERIFY2(rerun.exitCode == 0, qPrintable(rerun.err));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
