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
        events.append(u"%1|%2|%3|%4|%5%"_qs.arg(s.fieldCount()).arg(s.field(0), s.field(1), s.field(2)).arg(s.percentDone()));
    }
    void scanEnd(LineScanner &s) override { events.append(u"end %1%"_qs.arg(s.percentDone())); }
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
        QTest::newRow("fields and missing fields") << QByteArray("a\tb\r\nc\r\n")
                                                   << QStringList{u"begin"_qs, u"2|a\tb|a|b|62%"_qs, u"1|c|c||100%"_qs, u"end 100%"_qs};
        QTest::newRow("adjacent separators give empty fields") << QByteArray("\t\tx\n")
                                                               << QStringList{u"begin"_qs, u"3|\t\tx|||100%"_qs, u"end 100%"_qs};
        QTest::newRow("empty line has no fields") << QByteArray("\r\n") << QStringList{u"begin"_qs, u"0||||100%"_qs, u"end 100%"_qs};
        QTest::newRow("empty file still begins and ends") << QByteArray() << QStringList{u"begin"_qs, u"end 100%"_qs};
        QTest::newRow("missing file raises before beginning") << QByteArray("-") << QStringList{u"error 53"_qs};
    }
    void raisesEventsInOrder()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, events);
        LineScanner scanner;
        scanner.setFileName(file == "-" ? m_dir.filePath(u"missing.txt"_qs) : writeBytes(m_dir.filePath(u"scan.txt"_qs), file));
        scanner.setFieldSeparator(u"\t"_qs);
        Recorder recorder;
        if (const int error = errorNumber([&] { scanner.start(recorder); }))
            recorder.events << u"error %1"_qs.arg(error);
        QCOMPARE(recorder.events, events);
    }
};

QTEST_GUILESS_MAIN(LineScannerTest)
#include "tst_linescanner.moc"
