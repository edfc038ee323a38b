#include "ErrorReport.h"
#include "LineScanner.h"
#include "TestData.h"

#include <QTemporaryDir>

namespace {

// Records what a scan reported, one string per event.
class Recorder : public LineScanner::Handler {
public:
    QStringList events;
    void scanBegin(LineScanner &) override { events.append(u"begin"_qs); }
    void scanRecord(LineScanner &s) override
    {
        events.append(QStringLiteral("%1|%2|%3|%4|%5%").arg(s.fieldCount()).arg(s.field(0), s.field(1), s.field(2)).arg(s.percentDone()));
    }
    void scanEnd(LineScanner &s) override { events.append(QStringLiteral("end %1%").arg(s.percentDone())); }
};

}

class LineScannerTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void raisesEventsInOrder_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("fields and missing fields")
            << QByteArray("a\tb\r\nc\r\n")
            << QStringList{u"begin"_qs, u"2|a\tb|a|b|62%"_qs, u"1|c|c||100%"_qs, u"end 100%"_qs};
        QTest::newRow("adjacent separators give empty fields")
            << QByteArray("\t\tx\n") << QStringList{u"begin"_qs, u"3|\t\tx|||100%"_qs, u"end 100%"_qs};
        QTest::newRow("empty line has no fields")
            << QByteArray("\r\n") << QStringList{u"begin"_qs, u"0||||100%"_qs, u"end 100%"_qs};
        QTest::newRow("empty file still begins and ends") << QByteArray() << QStringList{u"begin"_qs, u"end 100%"_qs};
    }
    void raisesEventsInOrder()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, events);
        LineScanner scanner;
        scanner.setFileName(writeBytes(m_dir.filePath(u"scan.txt"_qs), file));
        scanner.setFieldSeparator(u"\t"_qs);
        Recorder recorder;
        scanner.start(recorder);
        QCOMPARE(recorder.events, events);
    }

    void missingFileRaises()
    {
        LineScanner scanner;
        scanner.setFileName(m_dir.filePath(u"missing.txt"_qs));
        Recorder recorder;
        QVERIFY_THROWS_EXCEPTION(AppError, scanner.start(recorder));
        QVERIFY(recorder.events.isEmpty());
    }
};

QTEST_GUILESS_MAIN(LineScannerTest)
#include "tst_linescanner.moc"
