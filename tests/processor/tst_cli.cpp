#include "../../bench/BenchDictionaries.h"
#include "../engine/JobFixture.h"

#include <QDirIterator>
#include <QProcess>
#include <QTest>

#include <functional>

#include <algorithm>

#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

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

// A table's text with \e, \n, \r and \t turned into the characters they stand for.
QString controlled(QString text)
{
    return text.replace(u"\\e"_qs, u"\x1b"_qs).replace(u"\\n"_qs, u"\n"_qs).replace(u"\\r"_qs, u"\r"_qs)
        .replace(u"\\t"_qs, u"\t"_qs);
}

// Makes the files a row names: "fifo:NAME socket:NAME link:NAME>TARGET empty:NAME
// dir:NAME copy:NAME<FILE IN tests/data".
void prepare(const JobFolder &folder, const QString &items)
{
    for (const QString &item : items.split(u' ', Qt::SkipEmptyParts)) {
        const QString kind = item.section(u':', 0, 0), name = controlled(item.section(u':', 1).section(u'>', 0, 0));
        const QString path = folder.path(name.section(u'<', 0, 0));
        QDir().mkpath(QFileInfo(path).path());
        const QByteArray local = QFile::encodeName(path);
        if (kind == u"fifo") {
            mkfifo(local.constData(), 0600);
        } else if (kind == u"socket") {
            sockaddr_un address{AF_UNIX, {}};
            qstrncpy(address.sun_path, local.constData(), sizeof address.sun_path);
            bind(socket(AF_UNIX, SOCK_STREAM, 0), reinterpret_cast<sockaddr *>(&address), sizeof address);
        } else if (kind == u"link") {
            QFile::link(item.section(u'>', 1), path);
        } else if (kind == u"dir") {
            QDir().mkpath(path);
        } else {
            ::writeBytes(path, kind == u"copy" ? testData(name.section(u'<', 1)) : QByteArray());
        }
    }
}

// Every entry below the folder but the program folder, with the bytes of the regular
// files: what a refused run must leave as it was.
QStringList snapshot(const JobFolder &folder)
{
    QStringList entries;
    const QDir root(folder.path(QString()));
    for (QDirIterator it(root.path(), QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString name = root.relativeFilePath(it.next());
        if (!name.startsWith(u"app"))
            entries << name + u' ' + QString::fromLatin1(it.fileInfo().isFile() ? readBytes(it.filePath()).toHex() : "");
    }
    entries.sort();
    return entries;
}

// A message may hold no control character but the line feed.
bool onlyLineFeeds(const QString &text)
{
    return std::none_of(text.begin(), text.end(), [](QChar c) { return c != u'\n' && !c.isPrint(); });
}

void verifyParts(const QString &text, const QString &parts)
{
    for (const QString &part : parts.split(u'^', Qt::SkipEmptyParts))
        QVERIFY2(text.contains(consoleText(part)), qPrintable(part + u" not in:\n"_qs + text));
}

// The processes, zombies aside, that work in a folder or below it or were told it on
// their command line (the jobs of a batch).
int livingIn(const QString &folder)
{
    int count = 0;
    for (const QString &name : QDir(u"/proc"_qs).entryList(QDir::Dirs)) {
        const QByteArray stat = readBytes(u"/proc/%1/stat"_qs.arg(name));
        const QByteArray state = stat.mid(stat.lastIndexOf(')') + 2, 1);
        if (name.toInt() > 0 && !state.isEmpty() && state != "Z"
            && (QFileInfo(u"/proc/%1/cwd"_qs.arg(name)).symLinkTarget().startsWith(folder)
                || readBytes(u"/proc/%1/cmdline"_qs.arg(name)).contains(QFile::encodeName(folder))))
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
const QStringList BatchNames{u"a.u.txt"_qs, u"b.glo"_qs, u"e.po"_qs,     u"sub/c.a.txt"_qs,
                             u"sub/d.glo"_qs, u"sub/f.ts"_qs, u"sub/m.pot"_qs};

// A template's result is a catalogue.
QString resultName(const QString &todo)
{
    return todo.endsWith(u".pot") ? todo.chopped(1) : todo;
}

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

    // Refusals write nothing: bad arguments (2), or a job or batch that cannot run (1),
    // each naming the file and why. Help is no error.
    void answersWithTheExitCode_data()
    {
        addTestTable(u"processor/cli-refusals.txt"_qs, {"prepared", "arguments", "exitCode", "outParts", "errParts"});
    }
    void answersWithTheExitCode()
    {
        const auto [prepared, arguments, exitCode, outParts, errParts] =
            fields("prepared", "arguments", "exitCode", "outParts", "errParts");
        JobFolder folder;
        folder.copyData(u"cli"_qs);
        prepare(folder, prepared);
        const QStringList before = snapshot(folder);
        const CliRun run = runCli(controlled(arguments + u" --app-folder app"_qs).split(u' '), folder.path(QString()));
        QCOMPARE(run.exitCode, exitCode.toInt());
        verifyParts(run.out, outParts);
        verifyParts(run.err, errParts);
        QVERIFY(onlyLineFeeds(run.out + run.err));
        QCOMPARE(snapshot(folder), before);
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
            // Every row's options start with "--jobs N", which a single run does not take.
            const QStringList single = QStringList{u"--todo"_qs, u"todo/"_qs + name, u"--output"_qs, u"single"_qs}
                + options.split(u' ').mid(2);
            QCOMPARE(runCli(single + common, root).exitCode, 0);
            QCOMPARE(folder.read(u"out/"_qs + resultName(name)), folder.read(u"single"_qs));
            QVERIFY(batch.out.contains(name + u": 已预翻译 "_qs));
        }
        QCOMPARE(QDir(folder.path(u"app"_qs)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{u"POLOLID.ini"_qs, u"Tallyra.ini"_qs}));
    }

    // A file that cannot be read or recognised is skipped and a failing job stops no
    // other; either makes the exit status 1. Names are printed with their control
    // characters escaped, and earlier results below the to-do folder are no to-do files.
    void batchReportsEveryProblem_data()
    {
        addTestTable(u"processor/cli-batch-problems.txt"_qs,
                     {"prepared", "arguments", "exitCode", "purifications", "outParts", "errParts"});
    }
    void batchReportsEveryProblem()
    {
        const auto [prepared, arguments, exitCode, purifications, outParts, errParts] =
            fields("prepared", "arguments", "exitCode", "purifications", "outParts", "errParts");
        JobFolder folder;
        folder.copyData(u"cli"_qs);
        prepare(folder, prepared);
        const CliRun batch =
            runCli(controlled(arguments + u" --reference ref.glo --app-folder app"_qs).split(u' '), folder.path(QString()));
        QCOMPARE(batch.exitCode, exitCode.toInt());
        verifyParts(batch.out, outParts);
        verifyParts(batch.err, errParts);
        QVERIFY(onlyLineFeeds(batch.out + batch.err));
        QCOMPARE(batch.out.count(processorStageCaptions().value(0)), purifications.toInt());
    }

    // Each result replaces its own to-do, as the run into an output folder writes it; a
    // glossary, whose result holds only the matched entries, is left as it is.
    void updatesInPlaceWhenAsked_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("single") << QStringList{u"--todo"_qs, u"todo/a.u.txt"_qs} << 0;
        QTest::newRow("single catalogue") << QStringList{u"--todo"_qs, u"todo/e.po"_qs} << 0;
        QTest::newRow("batch") << QStringList{u"--todo-dir"_qs, u"todo"_qs, u"--recursive"_qs} << 1;
    }
    void updatesInPlaceWhenAsked()
    {
        QFETCH(QStringList, arguments);
        JobFolder folder;
        folder.copyData(u"cli"_qs);
        const QStringList common{u"--reference"_qs, u"ref.glo"_qs, u"--app-folder"_qs, u"app"_qs};
        const QStringList intoFolder{u"--todo-dir"_qs, u"todo"_qs, u"--recursive"_qs, u"--output-dir"_qs, u"out"_qs};
        QCOMPARE(runCli(intoFolder + common, folder.path(QString())).exitCode, 0);
        QTEST(runCli(arguments + common + QStringList{u"--in-place"_qs}, folder.path(QString())).exitCode, "exitCode");
        for (const QString &name : BatchNames) {
            const bool updated = !name.endsWith(u".glo") && (arguments.contains(u"todo/"_qs + name) || arguments[0] == u"--todo-dir");
            QCOMPARE(folder.read(u"todo/"_qs + name),
                     updated ? folder.read(u"out/"_qs + resultName(name)) : testData(u"cli/todo/"_qs + name));
        }
    }

    // Stopped while sqlite3 is inside a transaction, which only an end of the whole process
    // group keeps from being committed; what SIGKILL leaves behind the next run copes with.
    void stoppedRunLeavesNoProcess_data() { addTestTable(u"processor/cli-signals.txt"_qs, {"signal", "batch", "slow"}); }
    void stoppedRunLeavesNoProcess()
    {
        const auto [signalNumber, batch, slow] = fields("signal", "batch", "slow");
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
        // A shell that outlives a stop of its group's leader alone shows as a survivor.
        const QString started = folder.path(u"bin/sqlite3.started"_qs);
        folder.writeBytes(u"bin/sqlite3"_qs, "#!/bin/sh\ntouch \"$0.started\"\nexec sleep 600\n");
        QFile::setPermissions(folder.path(u"bin/sqlite3"_qs), QFile::ReadOwner | QFile::ExeOwner);
        QProcess cli;
        if (slow == u"1") {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"PATH"_qs, folder.path(u"bin:"_qs) + environment.value(u"PATH"_qs));
            cli.setProcessEnvironment(environment);
        }
        cli.start(QStringLiteral(TALLYRA_CLI_PATH), arguments);
        QTRY_VERIFY_WITH_TIMEOUT(!journals(app).isEmpty() || QFile::exists(started), 30000);
        kill(pid_t(cli.processId()), signal);
        QVERIFY(cli.waitForFinished());
        QTRY_COMPARE_WITH_TIMEOUT(livingIn(app), 0, 10000);
        QVERIFY(folder.noFileBelow(u"out"_qs));
        if (signal == SIGTERM) {
            QCOMPARE(cli.exitCode(), 128 + SIGTERM);
            QCOMPARE(QDir(app).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"POLOLID.ini"_qs});
            return;
        }
        // What SIGKILL leaves behind the next run clears away.
        QVERIFY(QDir(app).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size() > 1);
        const CliRun rerun = runCli(arguments);
        QVERIFY2(rerun.exitCode == 0, qPrintable(rerun.err));
        QCOMPARE(QDir(app).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"POLOLID.ini"_qs});
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
