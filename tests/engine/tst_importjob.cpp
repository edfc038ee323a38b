#include "DictionaryEntry.h"
#include "ImportJob.h"
#include "JobFixture.h"

#include <QProcess>
#include <QTest>

namespace {

class Rows : public GridRowSource {
public:
    std::vector<GridRow> rows;
    qsizetype rowCount() const override { return qsizetype(rows.size()); }
    GridRow rowAt(qsizetype row) const override { return rows[row]; }
};

Rows document()
{
    Rows rows;
    rows.rows = {
        {QString(), EntryStatus::Untranslated, u"1"_qs, u"&Open...\\tCtrl+O"_qs, u"&Open...\\tCtrl+O"_qs},
        {QString(), EntryStatus::NotToTranslate, u"2"_qs, u"&Open...\\tCtrl+O"_qs, u"&Open...\\tCtrl+O"_qs},
        {QString(), EntryStatus::Translated, u"3"_qs, u"Close"_qs, QStringLiteral("关上")},
        {QString(), EntryStatus::Untranslated, u"0004"_qs, u"Close"_qs, u"Close"_qs},
        {QString(), EntryStatus::Untranslated, u"5"_qs, u"Don't know"_qs, u"Don't know"_qs},
    };
    return rows;
}

const QStringList Reference{u"9 1\t4 2"_qs, QStringLiteral("&Open...\t打开(&O)..."), QStringLiteral("Close\t关闭")};

QStringList flatten(const std::vector<GridRow> &rows)
{
    QStringList cells;
    for (const GridRow &row : rows)
        cells << QStringList{row.g0, row.gs, row.gn, row.g1, row.g2}.join(u'|');
    return cells;
}

const QStringList Imported{
    QStringLiteral("|复查|1|&Open...\\tCtrl+O|打开(&O)...\\tCtrl+O"),
    QStringLiteral("|不译|2|&Open...\\tCtrl+O|&Open...\\tCtrl+O"),
    QStringLiteral("|已译|3|Close|关上"),
    QStringLiteral("|复查|0004|Close|关闭"),
    QStringLiteral("|未译|5|Don't know|Don't know"),
};

}

class ImportJobTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void marksMatchedUntranslatedEntriesForReview()
    {
        JobFolder folder;
        folder.write(u"ref.glo"_qs, Reference);
        const Rows rows = document();
        RecordingObserver observer;
        const auto result = runImport(folder.path(u"ref.glo"_qs), ProcessingOptions::full(), rows, observer, u"test"_qs);
        QVERIFY(result);
        QCOMPARE(flatten(*result), Imported);
        QCOMPARE(observer.finishedStages, (QList<int>{0, 1, 2, 3, 4}));
        QVERIFY(observer.finished.last().endsWith(u".txt"_qs));
        QVERIFY(folder.workFiles().isEmpty());
    }

    void takesAPurifiedDatabase()
    {
        JobFolder folder;
        QProcess sqlite;
        sqlite.start(u"sqlite3"_qs, {folder.path(u"ref.db"_qs),
                                     QStringLiteral("CREATE TABLE R(r1 TEXT,r2 TEXT);INSERT INTO R VALUES('Open','打开');"
                                                    "INSERT INTO R VALUES('Close','关闭');")});
        QVERIFY(sqlite.waitForFinished());
        const Rows rows = document();
        RecordingObserver observer;
        const auto result = runImport(folder.path(u"ref.db"_qs), ProcessingOptions::full(), rows, observer, u"test"_qs);
        QVERIFY(result);
        QCOMPARE(flatten(*result), Imported);
        QVERIFY(!observer.finishedStages.contains(0));
    }

    void failuresReturnNothing_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing reference") << u"none.glo"_qs << QStringLiteral("不能检测出“参照字典”的文件格式");
        QTest::newRow("database step fails") << u"bad.db"_qs << u"table G already exists"_qs;
    }
    void failuresReturnNothing()
    {
        QFETCH(QString, reference);
        QFETCH(QString, message);
        JobFolder folder;
        QProcess sqlite;
        sqlite.start(u"sqlite3"_qs, {folder.path(u"bad.db"_qs), u"CREATE TABLE R(r1 TEXT,r2 TEXT);CREATE TABLE G(x);"_qs});
        QVERIFY(sqlite.waitForFinished());
        const Rows rows = document();
        RecordingObserver observer;
        QVERIFY(!runImport(folder.path(reference), ProcessingOptions::full(), rows, observer,
                           u"Form 'frmImport' -> 'cmdStart_Click'"_qs));
        QCOMPARE(observer.errors.size(), 1);
        QVERIFY2(observer.errors[0].description.contains(message), qPrintable(observer.errors[0].boxText()));
    }
};

QTEST_GUILESS_MAIN(ImportJobTest)
#include "tst_importjob.moc"
