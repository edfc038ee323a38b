#include "DictionaryEntry.h"
#include "ImportJob.h"
#include "JobFixture.h"
#include "TestData.h"

namespace {

class Rows : public GridRowSource {
public:
    std::vector<GridRow> rows{
        {QString(), EntryStatus::Untranslated, u"1"_qs, u"&Open...\\tCtrl+O"_qs, u"&Open...\\tCtrl+O"_qs},
        {QString(), EntryStatus::NotToTranslate, u"2"_qs, u"&Open...\\tCtrl+O"_qs, u"&Open...\\tCtrl+O"_qs},
        {QString(), EntryStatus::Translated, u"3"_qs, u"Close"_qs, u"关上"_qs},
        {QString(), EntryStatus::Untranslated, u"0004"_qs, u"Close"_qs, u"Close"_qs},
        {QString(), EntryStatus::Untranslated, u"5"_qs, u"Don't know"_qs, u"Don't know"_qs},
    };
    qsizetype rowCount() const override { return qsizetype(rows.size()); }
    GridRow rowAt(qsizetype row) const override { return rows[row]; }
};

// The grid as import-expected.txt holds it below its first line: a row a line, cells joined by '|'.
QString flatten(const std::vector<GridRow> &rows)
{
    QString text;
    for (const GridRow &row : rows)
        text += QStringList{row.g0, row.gs, row.gn, row.g1, row.g2}.join(u'|') + u'\n';
    return text;
}

}

class ImportJobTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // From a glossary, a PO catalogue, and from a purified database that takes the place of
    // its reading stage.
    void marksMatchedUntranslatedEntriesForReview()
    {
        for (const QString &reference : {u"ref.glo"_qs, u"ref.po"_qs, u"ref.db"_qs}) {
            JobFolder folder;
            folder.writeBytes(u"ref.glo"_qs, testData(u"import-reference.glo"_qs));
            folder.writeBytes(u"ref.po"_qs, testData(u"import-reference.po"_qs));
            folder.createDatabase(u"ref.db"_qs, u"CREATE TABLE R(r1 TEXT,r2 TEXT);"
                                                "INSERT INTO R VALUES('Open','打开'),('Close','关闭');"_qs);
            RecordingObserver observer;
            const ImportResult result =
                runImport(folder.path(reference), ProcessingOptions::full(), Rows(), observer, u"test"_qs);
            QVERIFY2(result.outcome.done(), qPrintable(reference));
            QCOMPARE(flatten(result.rows), QString::fromUtf8(testData(u"import-expected.txt"_qs)).section(u'\n', 1));
            QCOMPARE(observer.finishedStages, QList<int>({0, 1, 2, 3, 4}).mid(reference == u"ref.db" ? 1 : 0));
            QVERIFY(observer.finished.last().bytes);
            QVERIFY(observer.progressStages.contains(4));
            QVERIFY(folder.workFiles().isEmpty());
        }
    }

    void failuresReturnNothing_data()
    {
        addTestTable(u"engine/import-failures.txt"_qs, {"reference", "message", "outcome"});
    }
    void failuresReturnNothing()
    {
        const auto [reference, message, outcome] = fields("reference", "message", "outcome");
        JobFolder folder;
        folder.createDatabase(u"bad.db"_qs, u"CREATE TABLE R(r1 TEXT,r2 TEXT);CREATE TABLE G(x);"_qs);
        RecordingObserver observer;
        const ImportResult result = runImport(folder.path(reference), ProcessingOptions::full(), Rows(), observer,
                                              u"Form 'frmImport' -> 'cmdStart_Click'"_qs);
        QCOMPARE(QStringList({u"not started"_qs, u"stage failed"_qs}).value(int(result.outcome.kind)), outcome);
        QVERIFY(result.rows.empty());
        QCOMPARE(observer.errors.size(), 1);
        QCOMPARE(result.outcome.error->boxText(), observer.errors[0].boxText());
        QVERIFY2(observer.errors[0].description.contains(message), qPrintable(observer.errors[0].boxText()));
    }
};

QTEST_GUILESS_MAIN(ImportJobTest)
#include "tst_importjob.moc"
