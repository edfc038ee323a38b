#include "EditorFixture.h"

#include "cInifile.h"

#include <QSignalSpy>

namespace {

DictionaryDocument documentOf(const QStringList &numbers, const QStringList &statuses = {})
{
    DictionaryDocument document;
    for (qsizetype i = 0; i < numbers.size(); ++i)
        document.append(DictionaryEntry{statuses.value(i, EntryStatus::Translated), numbers[i],
                                        QStringLiteral("source %1").arg(i), QStringLiteral("译文 %1").arg(i)});
    return document;
}

// The number of every grid row, header rows as their status.
QStringList numbersOf(const GridModel &model)
{
    QStringList rows = gridRows(model);
    for (QString &row : rows)
        row = row.startsWith(u'[') ? row : row.section(u'|', 1, 1);
    return rows;
}

}

class EditorDocumentTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sortsByNumberNumerically_data()
    {
        addTestTable(u"editor/number-order.txt"_qs, {"numbers", "sorted"});
    }
    void sortsByNumberNumerically()
    {
        QFETCH(QString, numbers);
        GridModel model;
        model.replaceDocument(documentOf(numbers.split(u',')));
        model.showFlat();
        QTEST(numbersOf(model).join(u','), "sorted");
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

        // A command changes only the entries that differ, as one step of the history; the
        // row and the headers' counts are told in two signals.
        DocumentEdits edits(model);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        QCOMPARE(edits.setStatus({1, 2}, EntryStatus::Review), 1);
        QCOMPARE(changes.size(), 2);
        QCOMPARE(model.cellText(6, GridModel::Status), EntryStatus::Review);
        QCOMPARE(model.data(model.gridIndex(5, GridModel::Status)), QVariant(u"未译 (0)"_qs));
        QCOMPARE(edits.restoreSources({0, 1, 2}), 3);
        QCOMPARE(model.cellText(4, GridModel::Translation), u"source 2"_qs);
        edits.history().undo();
        edits.history().undo();
        QCOMPARE(model.cellText(6, GridModel::Status), EntryStatus::Untranslated);
        QCOMPARE(model.cellText(4, GridModel::Translation), u"译文 2"_qs);
        QCOMPARE(edits.changedEntries(), (std::vector<quint32>{0, 1, 2}));
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
        std::optional<EntryState> state = document.stateWith(3, EntryStatus::Translated, u"改");
        QVERIFY(state);
        document.exchange(*state);
        QVERIFY(!document.stateWith(3, EntryStatus::Translated, u"改"));
        QCOMPARE(document.translation(3), u"改");
        QCOMPARE(document.statusCount(EntryStatus::Untranslated), 69999);
        document.exchange(*state);
        QCOMPARE(document.translation(3), u"Text 3");
        QCOMPARE(document.statusCount(EntryStatus::Translated), 0);
        QCOMPARE(document.source(4), u"Text 4");
    }

    void opensEachFormat_data()
    {
        addTestTable(u"editor/open-cases.txt"_qs, {"name", "rows", "display"});
    }
    void opensEachFormat()
    {
        QFETCH(QString, name);
        SessionFixture editor;
        QVERIFY(editor.open(name));
        QTEST(editor.rows().join(u';').replace(u'|', u'/'), "rows");
        QCOMPARE(editor.session.path(), editor.path(name));
        QVERIFY(!editor.session.EditSuppressed);
        QVERIFY(editor.messages.boxes.isEmpty());
        editor.session.model().showGrouped();
        QVERIFY(editor.open(name));
        QTEST(editor.session.model().mode() == GridModel::Mode::Flat ? u"flat"_qs : u"grouped"_qs, "display");
    }

    // Entries before a number line that ends the file stay; noise opens without a crash.
    void readsWhatItCanOfBrokenText()
    {
        SessionFixture editor;
        QByteArray noise;
        for (int i = 0; i < 65536; ++i)
            noise.append(static_cast<char>(i * 7919 % 251));
        editor.session.open(editor.write(u"noise.a.txt"_qs, noise));
        QVERIFY(!editor.session.isBusy());
        editor.messages.boxes.clear();
        QVERIFY(editor.open(u"ends-at-a-number.a.txt"_qs));
        QCOMPARE(editor.messages.texts(),
                 QStringList{u"错误:62\r\n输入超出文件尾\r\n源代码位置: Form 'frmMain' -> 'LoadASCIIText'"_qs});
        QCOMPARE(editor.session.model().gridRowCount(), 6);
    }

    void savesWithCompanions_data()
    {
        addTestTable(u"editor/save-companions.txt"_qs, {"name", "noSaveExtra", "files", "reopen", "third"});
    }
    void savesWithCompanions()
    {
        const auto [name, noSaveExtra, reopen, third] = fields("name", "noSaveExtra", "reopen", "third");
        SessionFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs));
        editor.session.edits().setStatus({quint32(*editor.session.model().entryAt(3))}, u"复查"_qs);
        cInifile(AppFolder::file(u"Quillet.ini"_qs), u"OPTION"_qs).setValue(u"NoSaveExtra"_qs, noSaveExtra);
        QVERIFY(editor.session.save(editor.path(name)));
        QVERIFY(!editor.session.isModified());
        QTEST(QDir(editor.path(QString())).entryList({u"x.*"_qs}).join(u','), "files");
        QVERIFY(editor.session.open(editor.path(reopen)));
        QCOMPARE(editor.rows(), (QStringList{u"未译|1|Exit|Exit"_qs, u"已译|2|Open|打开"_qs, third + u"|3|Find|查找"_qs}));
    }

    // An empty name is refused with a box; a NUL typed in a name is dropped.
    void writesTheTwoLineShapeAndNeedsAName()
    {
        SessionFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs));
        QVERIFY(editor.session.save(editor.path(u"sample.a.txt"_qs)));
        QCOMPARE(editor.bytes(u"sample.a.txt"_qs), testData(u"editor/sample-saved.a.txt"_qs));
        QCOMPARE(editor.bytes(u"sample.a.csv"_qs), testData(u"editor/sample-saved.a.csv"_qs));
        QVERIFY(!editor.session.save(QString()));
        QCOMPARE(editor.messages.texts(), QStringList{u"保存的文件名为空"_qs});
        QCOMPARE(editor.session.saveAsName(u"x\u0000y"_qs, 1), u"xy.a.txt"_qs);
    }

    void writesBackInTheEncodingItRead()
    {
        for (const TextEncoding encoding : {TextEncoding::Gb18030, TextEncoding::Utf8, TextEncoding::Utf8WithBom}) {
            SessionFixture editor;
            const QString path = editor.write(u"e.a.txt"_qs, u"\r\n1:Open\r\n打开\r\n"_qs, encoding);
            QVERIFY(editor.session.open(path));
            QVERIFY(editor.session.save(path));
            QCOMPARE(encodingOfFile(path), encoding);
            QCOMPARE(TextCodec::decode(editor.bytes(u"e.a.txt"_qs), TextEncoding::Utf8).contains(u"打开"),
                     encoding != TextEncoding::Gb18030);
        }
    }
};

QTEST_MAIN(EditorDocumentTest)
#include "tst_editordocument.moc"
