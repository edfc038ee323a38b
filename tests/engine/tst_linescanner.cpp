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
        const QString fields = QStringList{s.field(0), s.field(1), s.field(2)}.join(u',');
        events.append(u"%1,%2,%3%"_qs.arg(s.fieldCount()).arg(fields).arg(s.percentDone()));
    }
    void scanEnd(LineScanner &s) override { events.append(u"end %1%"_qs.arg(s.percentDone())); }
};

}

class LineScannerTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void raisesEventsInOrder_data() { addTestTable(u"engine/scanner-events.txt"_qs, {"file", "events"}); }
    void raisesEventsInOrder()
    {
        const auto [file, events] = fields("file", "events");
        const QByteArray bytes = QString(file).replace(u"\\n"_qs, u"\n"_qs).toUtf8();
        LineScanner scanner;
        const QString path = m_dir.filePath(file == u"-" ? u"missing.txt"_qs : u"scan.txt"_qs);
        scanner.setFileName(file == u"-" ? path : writeBytes(path, bytes));
        scanner.setFieldSeparator(u"\t"_qs);
        Recorder recorder;
        if (const int error = errorNumber([&] { scanner.start(recorder); }))
            recorder.events << u"error %1"_qs.arg(error);
        QCOMPARE(recorder.events.join(u'/'), events);
    }
};

QTEST_GUILESS_MAIN(LineScannerTest)
#include "tst_linescanner.moc"
