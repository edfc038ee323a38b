#include "DictionaryDocument.h"
#include "GridModel.h"

#include <QSignalSpy>
#include <QTest>

namespace {

DictionaryDocument documentOf(const QStringList &numbers, const QStringList &statuses = {})
{
    DictionaryDocument document;
    for (qsizetype i = 0; i < numbers.size(); ++i)
        document.append(DictionaryEntry{statuses.value(i, EntryStatus::Translated), numbers[i],
                                        QStringLiteral("source %1").arg(i), QStringLiteral("译文 %1").arg(i)});
    return document;
}

QStringList numbersOf(const GridModel &model)
{
    QStringList numbers;
    for (int row = 1; row <= model.gridRowCount(); ++row)
        numbers.append(model.isGroupRow(row) ? u'[' + model.cellText(row, GridModel::Status) + u']'
                                             : model.cellText(row, GridModel::Number));
    return numbers;
}

}

class EditorDocumentTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sortsByNumberNumerically_data()
    {
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("not as text") << QStringList{u"100"_qs, u"9"_qs, u"10"_qs} << QStringList{u"9"_qs, u"10"_qs, u"100"_qs};
        QTest::newRow("leading zeros kept") << QStringList{u"0012"_qs, u"3"_qs} << QStringList{u"3"_qs, u"0012"_qs};
        QTest::newRow("fractions and signs") << QStringList{u"1.5"_qs, u"-2"_qs, u"1"_qs}
                                             << QStringList{u"-2"_qs, u"1"_qs, u"1.5"_qs};
        QTest::newRow("no number last") << QStringList{u"abc"_qs, u"2"_qs, u""_qs} << QStringList{u"2"_qs, u"abc"_qs, u""_qs};
        QTest::newRow("beyond fifteen digits") << QStringList{u"12345678901234567890"_qs, u"99"_qs}
                                               << QStringList{u"99"_qs, u"12345678901234567890"_qs};
    }
    void sortsByNumberNumerically()
    {
        QFETCH(QStringList, numbers);
        QFETCH(QStringList, sorted);
        GridModel model;
        model.replaceDocument(documentOf(numbers));
        model.showFlat();
        QCOMPARE(numbersOf(model), sorted);
    }

    void equalNumbersKeepTheirOrder()
    {
        GridModel model;
        model.replaceDocument(documentOf({u"5"_qs, u"1"_qs, u"5"_qs}));
        model.showFlat();
        QCOMPARE(model.cellText(2, GridModel::Source), u"source 0"_qs);
        QCOMPARE(model.cellText(3, GridModel::Source), u"source 2"_qs);
    }

    void groupsByStatusInCodePageOrder()
    {
        GridModel model;
        model.replaceDocument(documentOf({u"4"_qs, u"3"_qs, u"2"_qs, u"1"_qs, u"10"_qs},
                                         {EntryStatus::Translated, EntryStatus::Untranslated, EntryStatus::Review,
                                          EntryStatus::NotToTranslate, EntryStatus::Translated}));
        model.showGrouped();
        QCOMPARE(numbersOf(model), (QStringList{u"[不译]"_qs, u"1"_qs, u"[复查]"_qs, u"2"_qs, u"[未译]"_qs, u"3"_qs,
                                                u"[已译]"_qs, u"4"_qs, u"10"_qs}));
        for (int row = 1; row <= model.gridRowCount(); ++row)
            QCOMPARE(model.gridRow(model.gridIndex(row, GridModel::Source)), row);
        QCOMPARE(model.rowCount(model.groupIndex(3)), 2);
        QVERIFY(!model.gridIndex(0).isValid());
        QVERIFY(!model.gridIndex(model.gridRowCount() + 1).isValid());
        QVERIFY(!(model.flags(model.gridIndex(1, GridModel::Translation)) & Qt::ItemIsEditable));
        QVERIFY(model.flags(model.gridIndex(2, GridModel::Translation)) & Qt::ItemIsEditable);
        QVERIFY(!(model.flags(model.gridIndex(2, GridModel::Status)) & Qt::ItemIsEditable));
    }

    void replacesEveryRowInOneReset()
    {
        GridModel model;
        model.replaceDocument(documentOf({u"1"_qs, u"2"_qs}));
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        std::vector<DocumentRow> rows = model.rows();
        QCOMPARE(rows.size(), size_t(2));
        rows[1].outline = u"g0"_qs;
        rows[1].entry.status = u"自定"_qs;
        rows.push_back(DocumentRow{QString(), DictionaryEntry{EntryStatus::Review, u"0"_qs, u"New"_qs, u"新"_qs}});
        model.replaceRows(rows);
        QCOMPARE(resets.size(), 1);
        QCOMPARE(inserts.size(), 0);
        QCOMPARE(numbersOf(model), (QStringList{u"1"_qs, u"2"_qs, u"0"_qs}));
        const std::vector<DocumentRow> back = model.rows();
        QCOMPARE(back[1].outline, u"g0"_qs);
        QCOMPARE(back[1].entry.status, u"自定"_qs);
        QCOMPARE(back[2].entry.translation, u"新"_qs);
    }

    void keepsLongTextsAndEdits()
    {
        const QString huge(3 << 20, u'长');
        DictionaryDocument document;
        for (int i = 0; i < 70000; ++i)
            document.append(DictionaryEntry{EntryStatus::Untranslated, QString::number(i), QStringLiteral("Text %1").arg(i),
                                            i == 500 ? huge : QStringLiteral("Text %1").arg(i)});
        QCOMPARE(document.translation(500), QStringView(huge));
        QCOMPARE(document.source(69999), u"Text 69999");
        QVERIFY(document.setTranslation(3, u"改"));
        QVERIFY(!document.setTranslation(3, u"改"));
        QCOMPARE(document.row(3).entry.translation, u"改"_qs);
        QCOMPARE(document.source(4), u"Text 4");
    }

    void changesOnlyEntryRows()
    {
        GridModel model;
        model.replaceDocument(documentOf({u"1"_qs, u"2"_qs, u"3"_qs},
                                         {EntryStatus::Review, EntryStatus::Translated, EntryStatus::Review}));
        model.showGrouped();
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        QCOMPARE(model.setStatus({1, 2, 3, 4, 5}, EntryStatus::Review), 1);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(model.cellText(5, GridModel::Status), EntryStatus::Review);
        QCOMPARE(model.cellText(4, GridModel::Status), EntryStatus::Translated);
        QCOMPARE(model.restoreSources({1, 2, 3}), 2);
        QCOMPARE(model.cellText(2, GridModel::Translation), u"source 0"_qs);
    }
};

QTEST_GUILESS_MAIN(EditorDocumentTest)
#include "tst_editordocument.moc"
