#include "CaptureConsole.h"
#include "TestData.h"

class CaptureConsoleTest : public QObject {
    Q_OBJECT
    cCaptureConsole console;
    QStringList events;

private Q_SLOTS:
    void init()
    {
        events.clear();
        console.OutputAvailable = [this](const QString &text) { events << text; };
    }

    void capturesTheChildsOutput_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("isStdOut");
        QTest::addColumn<bool>("isStdErr");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("status");
        QTest::newRow("nothing written") << u"true"_qs << true << true << QString() << 0;
        QTest::newRow("both streams in order") << u"echo out; echo err >&2; echo end"_qs << true << true << u"out\nerr\nend\n"_qs << 0;
        QTest::newRow("standard error only") << u"echo out; echo err >&2"_qs << false << true << u"err\n"_qs << 0;
        QTest::newRow("standard output only") << u"echo out; echo err >&2"_qs << true << false << u"out\n"_qs << 0;
        QTest::newRow("failure keeps its status") << u"echo broken; exit 3"_qs << true << true << u"broken\n"_qs << 3;
        QTest::newRow("read in pieces") << u"yes x | tr -d '\\n' | head -c 5000"_qs << true << true << QString(5000, u'x') << 0;
        QTest::newRow("chinese text") << QStringLiteral("printf '已译字典'") << true << true << QStringLiteral("已译字典") << 0;
    }
    void capturesTheChildsOutput()
    {
        QFETCH(QString, command);
        QFETCH(bool, isStdOut);
        QFETCH(bool, isStdErr);
        QFETCH(QString, expected);
        QFETCH(int, status);
        QCOMPARE(console.ShellConsole({u"/bin/sh"_qs, u"-c"_qs, command}, QString(), isStdOut, isStdErr), expected);
        QCOMPARE(events.join(QString()), expected);
        QCOMPARE(events.isEmpty(), expected.isEmpty());
        for (const QString &event : events)
            QVERIFY(event.size() <= cCaptureConsole::BufferSize);
        QCOMPARE(console.exitStatus(), status);
    }

    void reportsAChildThatCannotStart()
    {
        QCOMPARE(console.ShellConsole({u"/no/such/program"_qs}, QString()), QString());
        QVERIFY(events.isEmpty());
        QCOMPARE(console.exitStatus(), cCaptureConsole::NotStarted);
    }

    void needsAStreamToCapture()
    {
        QCOMPARE(errorNumber([this] { console.ShellConsole({u"true"_qs}, QString(), false, false); }), 5);
    }
};

QTEST_GUILESS_MAIN(CaptureConsoleTest)
#include "tst_captureconsole.moc"
