#include "../engine/JobFixture.h"
#include "CliRun.h"

#include <QProcess>
#include <QTest>

#include <sys/resource.h>

class CliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void runsAJobAndSummarisesIt()
    {
        JobFolder folder;
        folder.write(u"todo.u.txt"_qs, {QString(), u"1:&Open...\\tCtrl+O"_qs, u"&Open...\\tCtrl+O"_qs, QString(),
                                        u"2: Cancel"_qs, u" Cancel"_qs, QString(), u"3:Exit"_qs, u"Exit"_qs});
        folder.write(u"ref.glo"_qs, {u"9 1\t4 2"_qs, QStringLiteral("&Open...\t打开(&O)..."), QStringLiteral("cancel\t取消")});
        folder.writeBytes(u"Tallyra.ini"_qs, "[TallyraCustomSetting]\r\nchkaUpperCase=1\r\n");
        const CliRun run = runCli({u"--todo"_qs, folder.path(u"todo.u.txt"_qs), u"--reference"_qs,
                                   folder.path(u"ref.glo"_qs), u"--output"_qs, folder.path(u"out.u.txt"_qs),
                                   u"--app-folder"_qs, folder.path(QString())});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        for (const QString &caption : processorStageCaptions())
            QVERIFY2(run.out.contains(caption + QStringLiteral(" 时间: ")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("已预翻译 2 / 3 条未译条目")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("加速键(&X) 1，快捷键(\\t) 1，前后空格 1，末尾冒号或省略号 1，大小写 1")),
                 qPrintable(run.out));
        QCOMPARE(folder.readLines(u"out.u.txt"_qs).value(2), QStringLiteral("打开(&O)...\\tCtrl+O"));
        QCOMPARE(folder.readLines(u"out.u.txt"_qs).value(5), QStringLiteral(" 取消"));
    }

    void failsWithTheErrorText_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("stderrPart");
        QTest::newRow("missing reference") << QStringList{u"--todo"_qs, u"todo.glo"_qs, u"--reference"_qs, u"none.glo"_qs,
                                                         u"--output"_qs, u"out.glo"_qs}
                                           << 1 << QStringLiteral("错误:1000\n不能检测出“未译字典”或“参照字典”的文件格式\n源代码位置: ");
        QTest::newRow("missing output option") << QStringList{u"--todo"_qs, u"todo.glo"_qs} << 2
                                               << QStringLiteral("--output");
        QTest::newRow("unknown option") << QStringList{u"--fast"_qs} << 2 << QStringLiteral("--fast");
        QTest::newRow("missing preset file") << QStringList{u"--todo"_qs, u"a"_qs, u"--reference"_qs, u"b"_qs,
                                                           u"--output"_qs, u"c"_qs, u"--preset"_qs, u"nothing.ini"_qs}
                                             << 2 << QStringLiteral("nothing.ini");
    }
    void failsWithTheErrorText()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, stderrPart);
        JobFolder folder;
        folder.write(u"todo.glo"_qs, {u"Open\tOpen"_qs});
        QProcess cli;
        cli.setWorkingDirectory(folder.path(QString()));
        cli.start(QStringLiteral(TALLYRA_CLI_PATH), arguments + QStringList{u"--app-folder"_qs, folder.path(u"app"_qs)});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), exitCode);
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(err.contains(stderrPart), qPrintable(err));
        QVERIFY(!QFile::exists(folder.path(u"out.glo"_qs)));
    }

    // Past a file-size limit a write fails and is reported; nothing dies of SIGXFSZ.
    void fileSizeLimitEndsInAnError_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("stderrPart");
        QTest::newRow("work file of the program") << 100000 << QStringLiteral("错误:75\n");
        QTest::newRow("query output of sqlite3") << 400000 << QStringLiteral("数据库脚本执行失败");
    }
    void fileSizeLimitEndsInAnError()
    {
        QFETCH(int, limit);
        QFETCH(QString, stderrPart);
        JobFolder folder;
        // Eight to-do sources with the same match key, so the join is eight times the reference.
        folder.write(u"todo.glo"_qs, {u"OK\tOK"_qs, u"&OK\t&OK"_qs, u"O&K\tO&K"_qs, u"OK:\tOK:"_qs, u"OK...\tOK..."_qs,
                                      u" OK\t OK"_qs, u"OK \tOK "_qs, u"OK\\tCtrl+O\tOK\\tCtrl+O"_qs});
        QStringList reference;
        for (int i = 0; i < 2000; ++i)
            reference << QStringLiteral("OK\t确定第%1号按钮的一段相当长的译文，用来把文件填满").arg(i);
        folder.write(u"ref.glo"_qs, reference);
        folder.writeBytes(u"out.glo"_qs, "the earlier result");
        QProcess cli;
        cli.setChildProcessModifier([limit] {
            const rlimit size{rlim_t(limit), rlim_t(limit)};
            setrlimit(RLIMIT_FSIZE, &size);
        });
        cli.start(QStringLiteral(TALLYRA_CLI_PATH),
                  {u"--todo"_qs, folder.path(u"todo.glo"_qs), u"--reference"_qs, folder.path(u"ref.glo"_qs),
                   u"--output"_qs, folder.path(u"out.glo"_qs), u"--app-folder"_qs, folder.path(u"app"_qs)});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 1);
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(err.contains(stderrPart), qPrintable(err));
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
