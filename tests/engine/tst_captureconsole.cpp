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
        addTestTable(u"engine/console-output.txt"_qs, {"command", "isStdOut", "isStdErr", "output", "status"});
        QTest::newRow("read in pieces")
            << u"yes x | tr -d '\\n' | head -c 5000"_qs << u"1"_qs << u"1"_qs << QString(5000, u'x') << u"0"_qs;
    }
    void capturesTheChildsOutput()
    {
        const auto [command, isStdOut, isStdErr, output, status] =
            fields("command", "isStdOut", "isStdErr", "output", "status");
        const QString expected = QString(output).replace(u"\\n"_qs, u"\n"_qs);
        const QStringList arguments{u"/bin/sh"_qs, u"-c"_qs, command};
        QCOMPARE(console.ShellConsole(arguments, QString(), isStdOut == u"1", isStdErr == u"1"), expected);
        QCOMPARE(events.join(QString()), expected);
        QCOMPARE(events.isEmpty(), expected.isEmpty());
        for (const QString &event : events)
            QVERIFY(event.size() <= cCaptureConsole::BufferSize);
        QCOMPARE(console.exitStatus(), status.toInt());
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
