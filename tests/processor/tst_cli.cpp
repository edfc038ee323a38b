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
        QTest::addColumn<QStringList>("preset");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("Tallyra.ini") << QStringList()
                                     << QStringLiteral("已预翻译 3 / 3 条未译条目\n命中条目所用的规则: 加速键(&X) 1，"
                                                       "快捷键(\\t) 1，前后空格 1，末尾冒号或省略号 1，大小写 1")
                                     << QStringLiteral(" 取消");
        QTest::newRow("--full") << QStringList{u"--full"_qs} << QStringLiteral("已预翻译 2 / 3 条未译条目") << u" Cancel"_qs;
    }
    void runsAJobAndSummarisesIt()
    {
        QFETCH(QStringList, preset);
        const auto [summary, cancel] = fields("summary", "cancel");
        JobFolder folder;
        folder.copyData(u"cli"_qs);
        const CliRun run = runCli(QStringList{u"--todo"_qs, folder.path(u"todo/a.u.txt"_qs), u"--reference"_qs,
                                              folder.path(u"ref.glo"_qs), u"--output"_qs, folder.path(u"out.u.txt"_qs),
                                              u"--app-folder"_qs, folder.path(u"app"_qs)} + preset);
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        for (const QString &caption : processorStageCaptions())
            QVERIFY2(run.out.contains(caption + QStringLiteral(" 时间: ")), qPrintable(run.out));
        QVERIFY2(run.out.contains(summary), qPrintable(run.out));
        QCOMPARE(folder.readLines(u"out.u.txt"_qs).value(5), cancel);
    }

    // Refusals write nothing: bad arguments (2), or a job or batch that cannot run (1).
    void refusesWithTheErrorText_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("stderrPart");
        const QString ref = u"ref.glo"_qs;
        QTest::newRow("missing reference")
            << QStringList{u"--todo"_qs, u"todo/b.glo"_qs, u"--reference"_qs, u"none.glo"_qs, u"--output"_qs, u"out/b.glo"_qs}
            << 1 << QStringLiteral("错误:1000\n不能检测出“未译字典”或“参照字典”的文件格式\n源代码位置: ");
        QTest::newRow("missing output option") << QStringList{u"--todo"_qs, u"todo/b.glo"_qs} << 2 << u"--output"_qs;
        QTest::newRow("unknown option") << QStringList{u"--fast"_qs} << 2 << u"--fast"_qs;
        QTest::newRow("missing preset file") << QStringList{u"--todo"_qs, u"a"_qs, u"--reference"_qs, u"b"_qs, u"--output"_qs,
                                                           u"out/c"_qs, u"--preset"_qs, u"nothing.ini"_qs}
                                             << 2 << u"nothing.ini"_qs;
        QTest::newRow("two results in one place")
            << QStringList{u"--todo"_qs, u"todo/sub/d.glo"_qs, u"--todo"_qs, u"todo/b.glo"_qs, u"--todo"_qs, u"other/d.glo"_qs,
                           u"--output-dir"_qs, u"out"_qs, u"--reference"_qs, ref}
            << 2 << u"同一个已译字典"_qs;
        QTest::newRow("output folder cannot be made")
            << QStringList{u"--todo-dir"_qs, u"todo"_qs, u"--output-dir"_qs, u"ref.glo/out"_qs, u"--reference"_qs, ref} << 1
            << u"无法创建已译字典的文件夹"_qs;
        QTest::newRow("single output in a batch")
            << QStringList{u"--todo-dir"_qs, u"todo"_qs, u"--output"_qs, u"out/x.glo"_qs, u"--reference"_qs, ref} << 2
            << u"--output-dir"_qs;
    }
    void refusesWithTheErrorText()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, stderrPart);
        JobFolder folder;
        folder.copyData(u"cli"_qs);
        const CliRun run = runCli(arguments + QStringList{u"--app-folder"_qs, u"app"_qs}, folder.path(QString()));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(stderrPart), qPrintable(run.err));
        QVERIFY(folder.noFileBelow(u"out"_qs));
    }

    // Past a file-size limit a write fails and is reported; nothing dies of SIGXFSZ.
    void fileSizeLimitEndsInAnError_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("stderrPart");
        QTest::newRow("work file of the program") << 100000 << u"错误:75\n"_qs;
        QTest::newRow("query output of sqlite3") << 400000 << QStringLiteral("数据库脚本执行失败");
    }
    void fileSizeLimitEndsInAnError()
    {
        QFETCH(int, limit);
        QFETCH(QString, stderrPart);
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
                                      const rlimit size{rlim_t(limit), rlim_t(limit)};
                                      setrlimit(RLIMIT_FSIZE, &size);
                                  });
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(stderrPart), qPrintable(run.err));
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
