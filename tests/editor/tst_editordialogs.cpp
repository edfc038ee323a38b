#include "EditorFixture.h"

#include "EditorSettings.h"
#include "FileHistory.h"
#include "OptionsFrame.h"
#include "RecoveryFile.h"
#include "StatePanel.h"
#include "cInifile.h"
#include "frmExport.h"
#include "frmFind.h"
#include "frmImport.h"
#include "frmReplace.h"

#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>

#include <sys/stat.h>


// The find, import and export dialogs on an open document.
namespace {

// The entries of the column box.
enum Column { ByStatus, ByNumber, BySource, ByTranslation };

// find.a.csv: flat rows 1-5 in number order. Grouped: 1 [复查], 2 Opera, 3 [未译], 4 Open,
// 5 Close, 6 [已译], 7 Open file, 8 open.
class FindFixture : public DialogFixture<frmFind> {
public:
    FindFixture() : DialogFixture(u"find.a.csv"_qs)
    {
        trigger(u"miEFind"_qs);
        dialog = window->findChild<frmFind *>();
        if (!showDialog(*dialog))
            qFatal("find dialog not shown");
    }

    // The column by its index, the text, and "contains", "regex", "case", "whole" and "up"
    // among the options.
    void search(int column, const QString &text, const QString &options = QString()) const
    {
        find<QComboBox>(u"cboField"_qs)->setCurrentIndex(column);
        find<QComboBox>(u"cboFind"_qs)->setEditText(text);
        const QString match = options.contains(u"regex") ? u"Option2"_qs : options.contains(u"contains") ? u"Option3"_qs
                                                                                                         : u"Option1"_qs;
        find<QRadioButton>(match)->setChecked(true);
        find<QCheckBox>(u"Check1"_qs)->setChecked(options.contains(u"case"));
        find<QCheckBox>(u"Check2"_qs)->setChecked(options.contains(u"whole"));
        find<QCheckBox>(u"Check3"_qs)->setChecked(options.contains(u"up"));
        find<QPushButton>(u"cmdNext"_qs)->click();
    }
};

// import.a.csv grouped: 1 [不译], 2 Close, 3 [未译], 4 Open, 5 Close, 6 Help me, 7 [已译], 8 Save.
class ImportFixture : public DialogFixture<frmImport> {
public:
    // Opens the document and the dialog, whose file dialog chooses the reference.
    explicit ImportFixture(const QString &referenceName, const QString &document = u"import.a.csv"_qs)
        : DialogFixture(document)
    {
        reference = referenceName.endsWith(u".sql")   ? database(referenceName)
            : referenceName.startsWith(u"fifo") ? fifo(referenceName)
                                                 : copyOrMissing(referenceName);
        dialogs.prepare(reference);
        dialog = &showNew();
    }

    // Runs the job; whether the dialog was busy at the first moment the job let events run.
    bool start()
    {
        bool busy = false;
        QTimer::singleShot(0, dialog, [&] {
            busy = find<QLabel>(u"LabelDoing"_qs)->isVisible() && find<QComboBox>(u"cboRefer"_qs)->isHidden()
                && find<QPushButton>(u"cmdStart"_qs)->isHidden() && dialog->options()->isHidden()
                && find<StatePanel>(u"picState"_qs)->isVisible();
        });
        find<QPushButton>(u"cmdStart"_qs)->click();
        return busy;
    }

    QString reference;

private:
    // A reference nobody ever writes into: reading it would wait for ever.
    QString fifo(const QString &name) const
    {
        const QString fifoPath = path(name);
        mkfifo(QFile::encodeName(fifoPath).constData(), 0600);
        return fifoPath;
    }

    QString database(const QString &script) const
    {
        QProcess shell;
        shell.start(u"sqlite3"_qs, {path(u"ref.db"_qs), u".read "_qs + testDataPath(u"editor/"_qs + script)});
        if (!shell.waitForFinished() || shell.exitCode() != 0)
            qFatal("reference database not made");
        return path(u"ref.db"_qs);
    }
};

// The dialog on export.a.csv, or on the document given, with "out" chosen as the file.
class ExportFixture : public DialogFixture<frmExport> {
public:
    explicit ExportFixture(const QString &document = QString())
        : DialogFixture(document.isEmpty() ? u"export.a.csv"_qs : QString())
    {
        if (!document.isEmpty() && !window->ActFileOpen(write(u"doc.a.csv"_qs, document)))
            qFatal("document not opened");
        dialogs.prepare(path(u"out"_qs));
        dialog = &showNew();
    }

    // Ticks the status boxes by their captions, as a user finds them.
    void check(const QStringList &statuses) const
    {
        for (QCheckBox *box : find<QWidget>(u"Frame4"_qs)->findChildren<QCheckBox *>())
            box->setChecked(statuses.contains(box->text()));
    }
    void chooseLength(int condition, const QString &value) const
    {
        find<QComboBox>(u"cboCondition"_qs)->setCurrentIndex(condition);
        find<QLineEdit>(u"txtLenLimit"_qs)->setText(value);
    }
    void start() const { find<QPushButton>(u"cmdStart"_qs)->click(); }

    // The sources of the glossary lines written after the language line.
    QString sources() const
    {
        QStringList lines = text(u"out.txt"_qs).split(u"\r\n"_qs).mid(1);
        lines.removeLast();
        for (QString &line : lines)
            line = line.section(u'\t', 0, 0);
        return lines.join(u',');
    }
};

}

class EditorDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsByEachOption_data()
    {
        addTestTable(u"editor/find-cases.txt"_qs, {"column", "text", "options", "cursor", "found", "message", "note"});
    }
    void findsByEachOption()
    {
        const auto [column, text, options, cursor, message] = fields("column", "text", "options", "cursor", "message");
        FindFixture find;
        find.grid().setCursor(cursor.toInt());
        if (cursor == u"0")
            find.window->fg->selectionModel()->clearCurrentIndex();
        find.search(column.toInt(), text, options);
        QTEST(QString::number(find.grid().row()), "found");
        QTEST(find.window->statusBar()->currentMessage(), "note");
        QCOMPARE(find.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(find.messages.boxes[0].icon,
                     message == u"找不到" ? MessageService::Icon::Information : MessageService::Icon::Critical);
    }

    // F3 presses 查找 in the dialog and repeats the search once the dialog is gone; after
    // the last match it goes on from the top. Ctrl+F then opens one modeless dialog, which
    // the menu only shows again.
    void findsByF3AndCtrlF()
    {
        FindFixture find;
        find.grid().setCursor(1);
        find.search(BySource, u"Ope"_qs);
        QList<int> hits{find.grid().row()};
        QTest::keyClick(find.find<QComboBox>(u"cboFind"_qs), Qt::Key_F3);
        hits.append(find.grid().row());
        find.dialog->close();
        find.window->activateWindow(); // where the window's shortcuts work
        QVERIFY(QTest::qWaitForWindowActive(find.window.get()));
        QTRY_VERIFY(!find.window->findChild<frmFind *>());
        for (int i = 0; i < 2; ++i) {
            QTest::keyClick(find.window->fg, Qt::Key_F3);
            hits.append(find.grid().row());
        }
        QCOMPARE(hits, (QList<int>{2, 3, 5, 1}));
        QVERIFY(find.messages.boxes.isEmpty());

        QTest::keyClick(find.window->fg, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(find.window->findChildren<frmFind *>().size(), 1);
        frmFind *dialog = find.window->findChild<frmFind *>();
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        find.trigger(u"miEFind"_qs);
        QCOMPARE(find.window->findChildren<frmFind *>(), QList<frmFind *>{dialog});
    }

    // Plain or with captures, letter case kept apart or not, at the cursor going on to the
    // next match or in every entry shown as one step; statuses stay, undo takes it back.
    void replacesInTranslations_data()
    {
        addTestTable(u"editor/replace-cases.txt"_qs,
                     {"filter", "cursor", "text", "replacement", "options", "button", "cursorAfter", "after", "note", "box"});
    }
    void replacesInTranslations()
    {
        const auto [filter, cursor, text, replacement, options, button] =
            fields("filter", "cursor", "text", "replacement", "options", "button");
        EditorFixture editor(u"grid.a.csv"_qs);
        const auto column = [&editor](int column) {
            QStringList cells;
            for (int row = 1; row < editor.grid().rows(); ++row)
                cells.append(editor.grid().textMatrix(row, column));
            return cells.join(u',');
        };
        const QString statuses = column(GridModel::Status);
        const QString translations = column(GridModel::Translation);
        if (!filter.isEmpty())
            QTest::keyClick(editor.window->fg, Qt::Key(filter.back().unicode()), Qt::ControlModifier);
        editor.grid().setCursor(cursor.toInt());
        editor.trigger(u"miEReplace"_qs);
        auto *dialog = editor.window->findChild<frmReplace *>();
        QVERIFY(showDialog(*dialog));
        control<QComboBox>(*dialog, u"cboFind"_qs)->setEditText(text);
        control<QComboBox>(*dialog, u"cboReplace"_qs)->setEditText(replacement);
        control<QCheckBox>(*dialog, u"chkRegex"_qs)->setChecked(options.contains(u"regex"));
        control<QCheckBox>(*dialog, u"chkCase"_qs)->setChecked(options.contains(u"case"));
        control<QPushButton>(*dialog, button == u"one" ? u"cmdReplace"_qs : u"cmdReplaceAll"_qs)->click();
        QTEST(QString::number(editor.grid().row()), "cursorAfter");
        QTEST(editor.window->statusBar()->currentMessage(), "note");
        QTEST(editor.messages.texts().join(u';'), "box");
        editor.trigger(u"miFilterAll"_qs);
        QTEST(column(GridModel::Translation), "after");
        QCOMPARE(column(GridModel::Status), statuses);
        editor.trigger(u"miEUndo"_qs);
        QCOMPARE(column(GridModel::Translation), translations);
    }

    // Group rows are searched as the grid shows them, and a hit in a collapsed group opens it.
    void visitsGroupRowsAndCollapsedGroups()
    {
        FindFixture find;
        find.grid().DisplayCategorized();
        find.grid().setCollapsed(6, true);
        find.grid().setCursor(1);
        find.search(ByStatus, u"已译"_qs);
        QCOMPARE(find.grid().row(), 6);
        find.search(BySource, u"open"_qs, u"case"_qs);
        QCOMPARE(find.grid().row(), 8);
        QVERIFY(!find.grid().isCollapsed(6));
    }

    // The boxes grey out for expressions, the help button asks for the manual, and the
    // history keeps each text once, the newest first, in the editor's INI file.
    void greysTheBoxesAsksForHelpAndKeepsTheHistory()
    {
        FindFixture find;
        auto *matchCase = find.find<QCheckBox>(u"Check1"_qs);
        auto *whole = find.find<QCheckBox>(u"Check2"_qs);
        QCOMPARE(find.find<QComboBox>(u"cboField"_qs)->currentText(), u"原文"_qs);
        matchCase->setChecked(true);
        find.find<QRadioButton>(u"Option2"_qs)->setChecked(true);
        QVERIFY(!matchCase->isEnabled() && !whole->isEnabled());
        find.find<QRadioButton>(u"Option1"_qs)->setChecked(true);
        QVERIFY(matchCase->isEnabled() && whole->isEnabled());
        QVERIFY(matchCase->isChecked() && !whole->isChecked());
        QSignalSpy help(find.dialog, &frmFind::helpRequested);
        find.find<QPushButton>(u"Command1"_qs)->click();
        QCOMPARE(help.size(), 1);

        find.grid().setCursor(5);
        for (const QString &text : {u"a"_qs, u"b"_qs, u"a"_qs})
            find.search(BySource, text);
        QCOMPARE(find.find<QComboBox>(u"cboFind"_qs)->count(), 2);
        QCOMPARE(find.find<QComboBox>(u"cboFind"_qs)->itemText(1), u"b"_qs);
        find.dialog->close();
        QCOMPARE(FileHistory::load(EditorSettings::iniPath(), u"frmFind.cboFind"_qs).value_or(QStringList()),
                 (QStringList{u"a"_qs, u"b"_qs}));
        frmFind again(find.window->gridController(), find.window.get());
        QCOMPARE(control<QComboBox>(again, u"cboFind"_qs)->count(), 2);
    }

    // What the editor adds to the import job: the changes made in one step (collapsed
    // groups whole, the display kept), the modified flag and counts, the dialog's states,
    // and a document left as it was when the job fails. The job's own results are the
    // engine's tests.
    void importsIntoTheDocument_data()
    {
        addTestTable(u"editor/import-cases.txt"_qs, {"reference", "document", "collapsed", "expected", "counts", "problems"});
    }
    void importsIntoTheDocument()
    {
        const auto [reference, document, collapsed, expected] =
            fields("reference", "document", "collapsed", "expected");
        ImportFixture import(reference, document);
        const QStringList before = import.rows();
        if (!collapsed.isEmpty()) {
            import.grid().DisplayCategorized();
            for (const QString &row : collapsed.split(u','))
                import.grid().setCollapsed(row.toInt(), true);
        }
        QCOMPARE(import.dialogs.asked.title, u"选择参照字典"_qs);
        QCOMPARE(import.find<QComboBox>(u"cboRefer"_qs)->currentText(), import.reference);
        QVERIFY(!import.window->isModified());

        QVERIFY(import.start());
        QVERIFY2(import.messages.boxes.isEmpty(), qPrintable(import.messages.texts().join(u'\n')));
        QCOMPARE(import.grid().DisplayMode(), collapsed.isEmpty() ? 0 : 1);
        QCOMPARE(import.grid().isCollapsed(collapsed.section(u',', 0, 0).toInt()), !collapsed.isEmpty());
        import.grid().DisplayAlphabetic();
        QCOMPARE(import.rows(), QString::fromUtf8(testData(u"editor/"_qs + expected)).split(u'\n', Qt::SkipEmptyParts));
        QTEST(import.window->findChild<QLabel *>(u"lblCounts"_qs)->text(), "counts");
        QTEST(import.window->findChild<QLabel *>(u"lblProblems"_qs)->text(), "problems");
        QCOMPARE(import.window->isModified(), import.rows() != before);
        const RecoveryFile recovery(import.window->CurrentDocumentPath());
        QCOMPARE(recovery.exists(), import.window->isModified());
        import.trigger(u"miEUndo"_qs);
        QCOMPARE(import.rows(), before);
        QVERIFY(!import.window->isModified() && !recovery.exists());
        QVERIFY(import.isIdle());
        QVERIFY(import.find<QLabel>(u"lblState4"_qs)->text().contains(u"KB"));
        QCOMPARE(import.find<QPushButton>(u"cmdClose"_qs)->text(), u"完成(&F)"_qs);
        QVERIFY(import.find<QPushButton>(u"cmdStart"_qs)->isHidden());
        QVERIFY(import.find<QLabel>(u"LabelDoing"_qs)->isHidden());
    }

    // A failure of the dialog's own steps ends it; a failed stage ends the job with the
    // stages in view. Either way the document stays exactly as it was.
    void failuresLeaveTheDocumentAsItWas_data()
    {
        addTestTable(u"editor/import-failures.txt"_qs, {"reference", "box", "dialog"});
    }
    void failuresLeaveTheDocumentAsItWas()
    {
        const auto [reference, box] = fields("reference", "box");
        ImportFixture import(reference);
        import.grid().DisplayCategorized();
        import.grid().setCollapsed(7, true);
        const QStringList before = import.rows();
        import.start();

        QCOMPARE(import.messages.boxes.size(), 1);
        QVERIFY2(import.messages.boxes[0].text.contains(box), qPrintable(import.messages.boxes[0].text));
        QCOMPARE(import.messages.boxes[0].icon, MessageService::Icon::Critical);
        QCOMPARE(import.rows(), before);
        QCOMPARE(import.grid().DisplayMode(), 1);
        QVERIFY(import.grid().isCollapsed(7));
        QVERIFY(!import.window->isModified());
        QVERIFY(import.isIdle());
        QTEST(import.dialog->isVisible() ? u"stays"_qs : u"closes"_qs, "dialog");
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

        import.dialogs.prepare(QString()); // a second dialog, with no file chosen
        frmImport &again = import.showNew();
        QCOMPARE(control<QComboBox>(again, u"cboRefer"_qs)->itemText(0), import.reference);
        QCOMPARE(again.options()->checkBox(u"chkaUpperCase"_qs)->isChecked(), chosen);
        auto *start = control<QPushButton>(again, u"cmdStart"_qs);
        QVERIFY(!start->isEnabled());
        control<QComboBox>(again, u"cboRefer"_qs)->setEditText(u"x"_qs);
        QVERIFY(start->isEnabled());
    }

    void exportsWhatTheControlsChoose_data()
    {
        addTestTable(u"editor/export-cases.txt"_qs, {"statuses", "condition", "typed", "used", "sources"});
    }
    // On a grouped grid with every group collapsed, which stays: the export is written in
    // number order.
    void exportsWhatTheControlsChoose()
    {
        const auto [statuses, condition, typed] = fields("statuses", "condition", "typed");
        ExportFixture exporter;
        exporter.grid().DisplayCategorized();
        for (int row = 1; row < exporter.grid().rows(); ++row)
            exporter.grid().setCollapsed(row, true);
        exporter.check(statuses.split(u','));
        exporter.chooseLength(condition.toInt(), typed);
        exporter.start();
        QVERIFY(exporter.messages.boxes.isEmpty());
        QTEST(exporter.find<QLineEdit>(u"txtLenLimit"_qs)->text(), "used");
        QTEST(exporter.sources(), "sources");
        QCOMPARE(exporter.grid().DisplayMode(), 1);
    }

    // The name is chosen in a real file dialog, before the format.
    void namesTheOutputFileAndWritesEachFormat_data()
    {
        addTestTable(u"editor/export-formats.txt"_qs, {"chosen", "name", "format", "id1", "id2", "file"});
    }
    void namesTheOutputFileAndWritesEachFormat()
    {
        const auto [chosen, name, format, id1, id2, file] = fields("chosen", "name", "format", "id1", "id2", "file");
        ExportFixture exporter;
        auto *fileBox = exporter.find<QComboBox>(u"cboExFile"_qs);
        QCOMPARE(fileBox->currentText(), exporter.path(u"out.txt"_qs));
        exporter.dialogs.prepare(exporter.path(chosen));
        exporter.find<QPushButton>(u"cmdSave"_qs)->click();
        QCOMPARE(fileBox->currentText(), exporter.path(name));
        QVERIFY(exporter.find<QRadioButton>(u"Option1"_qs)->isChecked());
        exporter.find<QRadioButton>(format)->setChecked(true);
        exporter.find<QLineEdit>(u"txtPLOID1"_qs)->setText(id1);
        exporter.find<QLineEdit>(u"txtPLOID2"_qs)->setText(id2);
        exporter.check({u"已译"_qs});
        exporter.start();
        QCOMPARE(exporter.bytes(name), testData(u"editor/"_qs + file));
        QCOMPARE(exporter.find<QLabel>(u"LabelDoing"_qs)->text(), u"成功导出! 共 2 条，写入:\n"_qs + exporter.path(name));
        QCOMPARE(exporter.find<QPushButton>(u"cmdClose"_qs)->text(), u"完成(&F)"_qs);
        QVERIFY(exporter.find<QPushButton>(u"cmdStart"_qs)->isHidden());
        QVERIFY(exporter.isIdle());
    }

    // The length box is open only where the condition has a length.
    void warnsWhenNoStatusIsChosen()
    {
        ExportFixture exporter;
        auto *conditions = exporter.find<QComboBox>(u"cboCondition"_qs);
        for (int condition = 0; condition < conditions->count(); ++condition) {
            conditions->setCurrentIndex(condition);
            QCOMPARE(exporter.find<QLineEdit>(u"txtLenLimit"_qs)->isEnabled(), condition != 0 && condition != 7);
        }
        exporter.check({});
        exporter.chooseLength(1, u"abc"_qs);
        exporter.start();
        QCOMPARE(exporter.messages.texts(), QStringList{u"至少要选中一个“状态”复选框！"_qs});
        QCOMPARE(exporter.messages.boxes[0].icon, MessageService::Icon::Exclamation);
        QVERIFY(!QFile::exists(exporter.path(u"out.txt"_qs)));
        QCOMPARE(exporter.find<QLineEdit>(u"txtLenLimit"_qs)->text(), u"abc"_qs);
        QVERIFY(exporter.find<QPushButton>(u"cmdStart"_qs)->isVisible());
    }

    // A failed run keeps what the file held, closes the dialog and leaves the editor usable.
    void failedWritesKeepTheOldFile_data()
    {
        addTestTable(u"editor/export-failures.txt"_qs, {"target", "entries"});
    }
    void failedWritesKeepTheOldFile()
    {
        const auto [target, entries] = fields("target", "entries");
        QString document;
        for (int i = 1; i <= entries.toInt(); ++i)
            document += u"已译,%1,Source text %1,译文 %1\r\n"_qs.arg(i);
        ExportFixture exporter(document);
        exporter.write(u"out.txt"_qs, QByteArray("old"));
        exporter.find<QComboBox>(u"cboExFile"_qs)->setEditText(exporter.path(target));
        exporter.check({u"未译"_qs, u"已译"_qs, u"不译"_qs, u"复查"_qs});
        {
            const FileSizeLimit limit(16 * 1024);
            exporter.start();
        }
        QCOMPARE(exporter.messages.boxes.size(), 1);
        const QString box = exporter.messages.boxes[0].text;
        QVERIFY2(box.startsWith(u"错误:") && box.endsWith(u"\r\n源代码位置: Form 'frmExport' -> 'cmdStart_Click'"),
                 qPrintable(box));
        QCOMPARE(exporter.messages.boxes[0].icon, MessageService::Icon::Critical);
        QCOMPARE(exporter.bytes(u"out.txt"_qs), QByteArray("old"));
        QCOMPARE(QDir(exporter.path(QString())).entryList({u"out.txt*"_qs}), QStringList{u"out.txt"_qs});
        QVERIFY(!exporter.dialog->isVisible());
        QVERIFY(exporter.isIdle());
    }

    void keepsSettingsAndHistoryInTheEditorsIni()
    {
        ExportFixture exporter;
        QCOMPARE(exporter.dialogs.asked.title, u"选择导出文件的保存位置"_qs);
        QCOMPARE(exporter.dialogs.asked.filters, QStringList{u"文本格式文件(*.txt)|*.txt"_qs});
        exporter.find<QRadioButton>(u"Option2"_qs)->setChecked(true);
        exporter.check({u"未译"_qs, u"复查"_qs});
        exporter.find<QLineEdit>(u"txtPLOID1"_qs)->setText(u"7 1"_qs);
        exporter.chooseLength(6, u"-3"_qs);
        exporter.dialog->close();
        QCOMPARE(FileHistory::load(EditorSettings::iniPath(), u"frmExport.cboExFile"_qs).value_or(QStringList()),
                 QStringList{exporter.path(u"out.txt"_qs)});

        exporter.dialogs.prepare(QString()); // a second dialog, with no file chosen
        frmExport &again = exporter.showNew();
        QVERIFY(control<QRadioButton>(again, u"Option2"_qs)->isChecked());
        QVERIFY(control<QCheckBox>(again, u"chkStaCK"_qs)->isChecked());
        QVERIFY(!control<QCheckBox>(again, u"chkStaED"_qs)->isChecked());
        QCOMPARE(control<QLineEdit>(again, u"txtPLOID1"_qs)->text(), u"7 1"_qs);
        QCOMPARE(control<QComboBox>(again, u"cboCondition"_qs)->currentIndex(), 6);
        QCOMPARE(control<QLineEdit>(again, u"txtLenLimit"_qs)->text(), u"50"_qs);
        QCOMPARE(control<QComboBox>(again, u"cboExFile"_qs)->itemText(0), exporter.path(u"out.txt"_qs));
        QVERIFY(!control<QPushButton>(again, u"cmdStart"_qs)->isEnabled());
    }
};

QTEST_MAIN(EditorDialogsTest)
#include "tst_editordialogs.moc"
