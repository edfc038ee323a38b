#include "../engine/JobFixture.h"
#include "CliRun.h"

#include <QTest>

#include <sys/resource.h>

class CliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The program folder's Tallyra.ini folds case; --full names a preset that does not.
    void runsAJobAndSummarisesIt_data()
    {
        addTestTable(u"processor/cli-summaries.txt"_qs, {"preset", "summary", "cancel"});
    }
    void runsAJobAndSummarisesIt()
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
    void refusesWithTheErrorText_data()
    {
        addTestTable(u"processor/cli-refusals.txt"_qs, {"arguments", "exitCode", "stderrPart"});
    }
    void refusesWithTheErrorText()
    {
        const auto [arguments, exitCode, stderrPart] = fields("arguments", "exitCode", "stderrPart");
        JobFolder folder;
        folder.copyData(u"cli"_qs);
        const CliRun run = runCli(arguments.split(u' ') + QStringList{u"--app-folder"_qs, u"app"_qs}, folder.path(QString()));
        QCOMPARE(run.exitCode, exitCode.toInt());
        QVERIFY2(run.err.contains(consoleText(stderrPart)), qPrintable(run.err));
        QVERIFY(folder.noFileBelow(u"out"_qs));
    }

    // Past a file-size limit a write fails and is reported; nothing dies of SIGXFSZ.
    void fileSizeLimitEndsInAnError_data() { addTestTable(u"processor/cli-size-limits.txt"_qs, {"limit", "stderrPart"}); }
    void fileSizeLimitEndsInAnError()
    {
        const auto [limitText, stderrPart] = fields("limit", "stderrPart");
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
        QVERIFY2(run.err.contains(consoleText(stderrPart)), qPrintable(run.err));
        QCOMPARE(folder.read(u"out.glo"_qs), QByteArray("the earlier result"));
        QCOMPARE(folder.workFiles(), QStringList());
    }

    void helpIsNoError()
    {
        const CliRun run = runCli({u"--help"_qs});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains(u"--save-db"_qs));
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
