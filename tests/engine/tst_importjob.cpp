#include "DictionaryEntry.h"
#include "ImportJob.h"
#include "JobFixture.h"
#include "TestData.h"

#include <QProcess>

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

QStringList flatten(const std::vector<GridRow> &rows)
{
    QStringList cells;
    for (const GridRow &row : rows)
        cells << QStringList{row.g0, row.gs, row.gn, row.g1, row.g2}.join(u'|');
    return cells;
}

QStringList imported()
{
    QStringList lines = QString::fromUtf8(testData(u"import-expected.txt"_qs)).split(u'\n', Qt::SkipEmptyParts);
    lines.removeFirst();
    return lines;
}

bool createDatabase(const QString &path, const QString &sql)
{
    QProcess sqlite;
    sqlite.start(u"sqlite3"_qs, {path, sql});
    return sqlite.waitForFinished() && sqlite.exitCode() == 0;
}

}

class ImportJobTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void marksMatchedUntranslatedEntriesForReview()
    {
        JobFolder folder;
        folder.writeBytes(u"ref.glo"_qs, testData(u"import-reference.glo"_qs));
        RecordingObserver observer;
        const auto result = runImport(folder.path(u"ref.glo"_qs), ProcessingOptions::full(), Rows(), observer, u"test"_qs);
        QVERIFY(result.outcome.done());
        QCOMPARE(flatten(result.rows), imported());
        QCOMPARE(observer.finishedStages, (QList<int>{0, 1, 2, 3, 4}));
        QVERIFY(observer.finished.last().bytes);
        QVERIFY(observer.progressStages.contains(4));
        QVERIFY(folder.workFiles().isEmpty());
    }

    void takesAPurifiedDatabase()
    {
        JobFolder folder;
        QVERIFY(createDatabase(folder.path(u"ref.db"_qs), u"CREATE TABLE R(r1 TEXT,r2 TEXT);"
                                                         "INSERT INTO R VALUES('Open','打开'),('Close','关闭');"_qs));
        RecordingObserver observer;
        const auto result = runImport(folder.path(u"ref.db"_qs), ProcessingOptions::full(), Rows(), observer, u"test"_qs);
        QVERIFY(result.outcome.done());
        QCOMPARE(flatten(result.rows), imported());
        QVERIFY(!observer.finishedStages.contains(0));
    }

    void failuresReturnNothing_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("message");
        QTest::addColumn<JobOutcome::Kind>("kind");
        QTest::newRow("missing reference") << u"none.glo"_qs << u"不能检测出“参照字典”的文件格式"_qs
                                           << JobOutcome::Kind::NotStarted;
        QTest::newRow("database step fails") << u"bad.db"_qs << u"table G already exists"_qs
                                             << JobOutcome::Kind::StageFailed;
    }
    void failuresReturnNothing()
    {
        const auto [reference, message] = fields("reference", "message");
        QFETCH(JobOutcome::Kind, kind);
        JobFolder folder;
        QVERIFY(createDatabase(folder.path(u"bad.db"_qs), u"CREATE TABLE R(r1 TEXT,r2 TEXT);CREATE TABLE G(x);"_qs));
        RecordingObserver observer;
        const ImportResult result = runImport(folder.path(reference), ProcessingOptions::full(), Rows(), observer,
                                              u"Form 'frmImport' -> 'cmdStart_Click'"_qs);
        QCOMPARE(result.outcome.kind, kind);
        QVERIFY(result.rows.empty());
        QCOMPARE(observer.errors.size(), 1);
        QCOMPARE(result.outcome.error->boxText(), observer.errors[0].boxText());
        QVERIFY2(observer.errors[0].description.contains(message), qPrintable(observer.errors[0].boxText()));
    }
};

QTEST_GUILESS_MAIN(ImportJobTest)
#include "tst_importjob.moc"
