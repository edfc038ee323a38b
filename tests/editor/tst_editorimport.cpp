#include "EditorFixture.h"

#include "EditorSettings.h"
#include "FileHistory.h"
#include "OptionsFrame.h"
#include "StatePanel.h"
#include "cInifile.h"
#include "frmImport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

// What the editor adds to the import job: the grid replaced in one block, the display,
// the modified flag and counts, the dialog's states, and a document left as it was when
// the job fails. The job's own results are the engine's tests.
namespace {

// import.a.csv grouped: 1 [不译], 2 Close, 3 [未译], 4 Open, 5 Close, 6 Help me, 7 [已译], 8 Save.
const QStringList Imported{u"复查|1|&Open...\\tCtrl+O|打开(&O)...\\tCtrl+O"_qs, u"不译|2|Close|Close"_qs,
                           u"已译|3|Save|储存"_qs, u"复查|4|Close|关闭"_qs, u"未译|5|Help me|Help me"_qs};

class ImportFixture : public EditorFixture {
public:
    // Opens the document and the dialog, whose file dialog chooses the reference.
    explicit ImportFixture(const QString &referenceName, const QString &document = u"import.a.csv"_qs)
    {
        if (!open(document))
            qFatal("document not opened");
        if (referenceName.endsWith(u".sql"))
            reference = database(referenceName);
        else
            reference = QFile::exists(testDataPath(u"editor/"_qs + referenceName)) ? copy(referenceName) : path(referenceName);
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

    QString reference;
    std::unique_ptr<frmImport> dialog;

private:
    QString database(const QString &script) const
    {
        QProcess shell;
        shell.start(u"sqlite3"_qs, {path(u"ref.db"_qs), u".read "_qs + testDataPath(u"editor/"_qs + script)});
        if (!shell.waitForFinished() || shell.exitCode() != 0)
            qFatal("reference database not made");
        return path(u"ref.db"_qs);
    }
};

}

class EditorImportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void importsIntoTheDocument_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QStringList>("imported");
        QTest::addColumn<QString>("counts");
        QTest::newRow("marks for review") << u"import.a.csv"_qs << Imported << u"未译 1  复查 2  不译 1  已译 1 / 5 (20.0%)"_qs;
        QTest::newRow("all translated") << u"import-translated.a.csv"_qs
                                        << QStringList{u"已译|1|Open|开"_qs, u"已译|2|Close|关"_qs}
                                        << u"未译 0  复查 0  不译 0  已译 2 / 2 (100.0%)"_qs;
    }
    void importsIntoTheDocument()
    {
        QFETCH(QString, document);
        QFETCH(QStringList, imported);
        QFETCH(QString, counts);
        ImportFixture import(u"import-reference.glo"_qs, document);
        QCOMPARE(import.dialogs.asked.title, u"选择参照字典"_qs);
        QCOMPARE(import.find<QComboBox>(u"cboRefer"_qs)->currentText(), import.reference);
        QVERIFY(!import.window->isModified());

        QVERIFY(import.start());
        QVERIFY2(import.messages.shown.isEmpty(), qPrintable(import.messages.texts().join(u'\n')));
        QCOMPARE(import.rows(), imported);
        QCOMPARE(import.window->findChild<QLabel *>(u"lblCounts"_qs)->text(), counts);
        QCOMPARE(import.grid().row(), 1);
        QVERIFY(import.window->windowTitle().startsWith(u'*'));
        QVERIFY(!import.window->session().EditSuppressed);
        QVERIFY(import.find<QLabel>(u"lblState4"_qs)->text().contains(u"KB"));
        QCOMPARE(import.find<QPushButton>(u"cmdClose"_qs)->text(), u"完成(&F)"_qs);
        QVERIFY(import.find<QPushButton>(u"cmdStart"_qs)->isHidden());
        QVERIFY(import.find<QLabel>(u"LabelDoing"_qs)->isHidden());
    }

    void importsCollapsedGroupsWholeAndShowsThemFlat()
    {
        ImportFixture import(u"import-reference.a.txt"_qs);
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
        QTest::newRow("missing reference")
            << u"missing.glo"_qs
            << u"错误:1000\r\n不能检测出“参照字典”的文件格式\r\n源代码位置: Form 'frmImport' -> 'cmdStart_Click'"_qs << false;
        QTest::newRow("database step fails") << u"import-failing.sql"_qs << u"table G already exists"_qs << true;
    }
    void failuresLeaveTheDocumentAsItWas()
    {
        QFETCH(QString, reference);
        QFETCH(QString, box);
        QFETCH(bool, dialogStays);
        ImportFixture import(reference);
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
    }

    // The reference history and the options live in the editor's own INI file; the start
    // button waits for a reference.
    void keepsHistoryAndOptionsInTheEditorsIni()
    {
        ImportFixture import(u"import-reference.glo"_qs);
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
        auto *start = control<QPushButton>(again, u"cmdStart"_qs);
        QVERIFY(!start->isEnabled());
        control<QComboBox>(again, u"cboRefer"_qs)->setEditText(u"x"_qs);
        QVERIFY(start->isEnabled());
    }
};

QTEST_MAIN(EditorImportTest)
#include "tst_editorimport.moc"
