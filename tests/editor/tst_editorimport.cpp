#include "DialogHelpers.h"
#include "EditorFixture.h"

#include "EditorSettings.h"
#include "FileHistory.h"
#include "OptionsFrame.h"
#include "StatePanel.h"
#include "cInifile.h"
#include "frmImport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

namespace {

// Grouped: 1 [不译], 2 Close, 3 [未译], 4 Open, 5 Close, 6 Help me, 7 [已译], 8 Save.
const QString Document = u"未译,1,&Open...\\tCtrl+O,&Open...\\tCtrl+O\r\n不译,2,Close,Close\r\n已译,3,Save,储存\r\n"
                         u"未译,4,Close,Close\r\n未译,5,Help me,Help me\r\n"_qs;
const QStringList DocumentRows{u"未译|1|&Open...\\tCtrl+O|&Open...\\tCtrl+O"_qs, u"不译|2|Close|Close"_qs,
                               u"已译|3|Save|储存"_qs, u"未译|4|Close|Close"_qs, u"未译|5|Help me|Help me"_qs};
const QStringList Imported{u"复查|1|&Open...\\tCtrl+O|打开(&O)...\\tCtrl+O"_qs, u"不译|2|Close|Close"_qs,
                           u"已译|3|Save|储存"_qs, u"复查|4|Close|关闭"_qs, u"未译|5|Help me|Help me"_qs};

const QString TranslatedDocument = u"已译,1,Open,开\r\n已译,2,Close,关\r\n"_qs;
const QStringList TranslatedRows{u"已译|1|Open|开"_qs, u"已译|2|Close|关"_qs};

const QString GlossaryReference = u"9 1\t4 2\r\n&Open...\t打开(&O)...\r\nClose\t关闭\r\nSave\t保存\r\n"_qs;
const QString TwoLineReference = u"\r\n1:&Open...\r\n打开(&O)...\r\n\r\n2:Close\r\n关闭\r\n\r\n3:Save\r\n保存\r\n"_qs;

const QString FormatError = u"错误:1000\r\n不能检测出“参照字典”的文件格式\r\n源代码位置: Form 'frmImport' -> 'cmdStart_Click'"_qs;

bool sqlite(const QString &database, const QString &sql)
{
    QProcess shell;
    shell.start(u"sqlite3"_qs, {database, sql});
    return shell.waitForFinished() && shell.exitCode() == 0;
}

// The reference of the given kind in the editor's folder.
QString writeReference(const EditorFixture &editor, const QString &kind)
{
    if (kind == u"glossary")
        return editor.write(u"ref.glo"_qs, GlossaryReference);
    if (kind == u"two-line text")
        return editor.write(u"ref.a.txt"_qs, TwoLineReference);
    const QString database = editor.path(u"ref.db"_qs);
    if (kind == u"purified database")
        sqlite(database, u"CREATE TABLE R(r1 TEXT,r2 TEXT);INSERT INTO R VALUES('Open','打开');"
                         u"INSERT INTO R VALUES('Close','关闭');INSERT INTO R VALUES('Save','保存');"_qs);
    else if (kind == u"failing database")
        sqlite(database, u"CREATE TABLE R(r1 TEXT,r2 TEXT);CREATE TABLE G(x);"_qs);
    else
        return editor.path(u"missing.glo"_qs);
    return database;
}

class ImportFixture : public EditorFixture {
public:
    // Opens the document and the dialog, whose file dialog chooses the reference.
    ImportFixture(const QString &document, const QString &referenceKind)
    {
        if (!openTable(u"doc.a.csv"_qs, document))
            qFatal("document not opened");
        reference = writeReference(*this, referenceKind);
        dialogs.choose(reference);
        dialog = std::make_unique<frmImport>(window->session(), window->gridController(), window.get());
        if (!showDialog(*dialog))
            qFatal("import dialog not shown");
    }

    template <typename T>
    T *find(const QString &name) const { return control<T>(*dialog, name); }

    // Runs the job; whether the dialog was busy at the first moment the job let events run.
    bool start()
    {
        bool busy = false;
        QTimer::singleShot(0, dialog.get(), [&] {
            busy = find<QLabel>(u"LabelDoing"_qs)->isVisible() && find<QComboBox>(u"cboRefer"_qs)->isHidden()
                && find<QPushButton>(u"cmdStart"_qs)->isHidden() && dialog->options()->isHidden()
                && find<StatePanel>(u"picState"_qs)->isVisible();
        });
        find<QPushButton>(u"cmdStart"_qs)->click();
        return busy;
    }

    QString stage(int index) const { return find<QLabel>(u"lblState%1"_qs.arg(index))->text(); }

    QString reference;
    std::unique_ptr<frmImport> dialog;
};

}

class EditorImportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void importsFromEachReference_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QStringList>("imported");
        QTest::addColumn<QString>("counts");
        const QString counts = u"未译 1  复查 2  不译 1  已译 1 / 5 (20.0%)"_qs;
        QTest::newRow("glossary") << Document << u"glossary"_qs << Imported << counts;
        QTest::newRow("two-line text") << Document << u"two-line text"_qs << Imported << counts;
        QTest::newRow("purified database") << Document << u"purified database"_qs << Imported << counts;
        QTest::newRow("all translated") << TranslatedDocument << u"glossary"_qs << TranslatedRows
                                        << u"未译 0  复查 0  不译 0  已译 2 / 2 (100.0%)"_qs;
    }
    void importsFromEachReference()
    {
        QFETCH(QString, document);
        QFETCH(QString, reference);
        QFETCH(QStringList, imported);
        QFETCH(QString, counts);
        ImportFixture import(document, reference);
        QCOMPARE(import.dialogs.asked.title, u"选择参照字典"_qs);
        QCOMPARE(import.dialogs.asked.filters.size(), 4);
        QCOMPARE(import.find<QComboBox>(u"cboRefer"_qs)->currentText(), import.reference);
        QVERIFY(!import.window->isModified());

        QVERIFY(import.start());
        QVERIFY2(import.messages.shown.isEmpty(), qPrintable(import.messages.texts().join(u'\n')));
        QCOMPARE(import.rows(), imported);
        QCOMPARE(import.window->findChild<QLabel *>(u"lblCounts"_qs)->text(), counts);
        QCOMPARE(import.grid().row(), 1);
        QVERIFY(import.window->windowTitle().startsWith(u'*'));
        QVERIFY(!import.window->session().EditSuppressed);
        QCOMPARE(import.stage(0).isEmpty(), reference == u"purified database");
        for (int stage = 1; stage < 5; ++stage)
            QVERIFY2(import.stage(stage).startsWith(u"时间: "), qPrintable(import.stage(stage)));
        QVERIFY(import.stage(4).contains(u"KB"));

        auto *finish = import.find<QPushButton>(u"cmdClose"_qs);
        QVERIFY(finish->isVisible());
        QCOMPARE(finish->text(), u"完成(&F)"_qs);
        QVERIFY(import.find<QPushButton>(u"cmdStart"_qs)->isHidden());
        QVERIFY(import.find<QLabel>(u"LabelDoing"_qs)->isHidden());
        QStringList workFiles = QDir(AppFolder::path()).entryList({u"*.sql"_qs, u"*.sh"_qs, u"*.db"_qs});
        workFiles.removeAll(u"ref.db"_qs);
        QCOMPARE(workFiles, QStringList());
    }

    void importsCollapsedGroupsWholeAndShowsThemFlat()
    {
        ImportFixture import(Document, u"glossary"_qs);
        import.grid().DisplayCategorized();
        import.grid().setCollapsed(1, true);
        import.grid().setCollapsed(3, true);
        import.start();
        QCOMPARE(import.grid().DisplayMode(), 0);
        QCOMPARE(import.rows(), Imported);
    }

    // A failure of the dialog's own steps ends it; a failed stage ends the job with the
    // stages in view. Either way the document stays exactly as it was.
    void failuresLeaveTheDocumentAsItWas_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("dialogStays");
        QTest::newRow("missing reference") << u"missing"_qs << FormatError << false;
        QTest::newRow("database step fails") << u"failing database"_qs << u"table G already exists"_qs << true;
    }
    void failuresLeaveTheDocumentAsItWas()
    {
        QFETCH(QString, reference);
        QFETCH(QString, box);
        QFETCH(bool, dialogStays);
        ImportFixture import(Document, reference);
        import.grid().DisplayCategorized();
        import.grid().setCollapsed(7, true);
        const QStringList before = import.rows();
        import.start();

        QCOMPARE(import.messages.shown.size(), 1);
        QVERIFY2(import.messages.shown[0].text.contains(box), qPrintable(import.messages.shown[0].text));
        QCOMPARE(import.messages.shown[0].icon, MessageService::Icon::Critical);
        QCOMPARE(import.rows(), before);
        QCOMPARE(import.grid().DisplayMode(), 1);
        QVERIFY(import.grid().isCollapsed(7));
        QVERIFY(!import.window->isModified());
        QVERIFY(!import.window->session().EditSuppressed);
        QVERIFY(import.window->fg->updatesEnabled());
        QCOMPARE(import.dialog->isVisible(), dialogStays);
        if (dialogStays)
            QCOMPARE(import.find<QPushButton>(u"cmdClose"_qs)->text(), u"完成(&F)"_qs);
    }

    void startNeedsAReference()
    {
        ImportFixture import(Document, u"glossary"_qs);
        auto *reference = import.find<QComboBox>(u"cboRefer"_qs);
        auto *start = import.find<QPushButton>(u"cmdStart"_qs);
        QVERIFY(start->isEnabled());
        reference->setEditText(QString());
        QVERIFY(!start->isEnabled());
        reference->setEditText(u"x"_qs);
        QVERIFY(start->isEnabled());
    }

    // The reference history and the options live in the editor's own INI file.
    void keepsHistoryAndOptionsInTheEditorsIni()
    {
        ImportFixture import(Document, u"glossary"_qs);
        QCheckBox *upperCase = import.dialog->options()->checkBox(u"chkaUpperCase"_qs);
        upperCase->setChecked(!upperCase->isChecked());
        const bool chosen = upperCase->isChecked();
        import.start();
        import.find<QPushButton>(u"cmdClose"_qs)->click();
        QVERIFY(!import.dialog->isVisible());

        const QString ini = EditorSettings::iniPath();
        QCOMPARE(FileHistory::load(ini, u"frmImport.cboRefer"_qs).value_or(QStringList()), QStringList{import.reference});
        QCOMPARE(cInifile(ini, u"TallyraCustomSetting"_qs).value(u"chkaUpperCase"_qs), chosen ? u"1"_qs : u"0"_qs);
        QVERIFY(!QFile::exists(AppFolder::file(u"Tallyra.ini"_qs)));

        import.dialogs.choice = FileDialogChoice();
        frmImport again(import.window->session(), import.window->gridController(), import.window.get());
        QVERIFY(showDialog(again));
        QCOMPARE(control<QComboBox>(again, u"cboRefer"_qs)->itemText(0), import.reference);
        QCOMPARE(again.options()->checkBox(u"chkaUpperCase"_qs)->isChecked(), chosen);
        QVERIFY(!control<QPushButton>(again, u"cmdStart"_qs)->isEnabled());
    }
};

QTEST_MAIN(EditorImportTest)
#include "tst_editorimport.moc"
