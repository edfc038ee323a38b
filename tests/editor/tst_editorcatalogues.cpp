#include "EditorFixture.h"

#include "EntryNotesView.h"
#include "RecoveryFile.h"
#include "RecoveryKeeper.h"
#include "frmExport.h"
#include "frmImport.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

// Runs "row=text" (type the translation over, Enter), "row!tool" (a command on the row),
// "undo" and "save" (their keys), separated by " ; ".
void runEdits(EditorFixture &editor, const QString &edits)
{
    for (const QString &edit : edits.split(u" ; "_qs)) {
        if (edit == u"undo" || edit == u"save") {
            QTest::keyClick(editor.window->fg, edit == u"undo" ? Qt::Key_Z : Qt::Key_S, Qt::ControlModifier);
            continue;
        }
        const qsizetype at = edit.indexOf(QRegularExpression(u"[=!]"_qs));
        editor.grid().setCursor(edit.left(at).toInt());
        if (edit[at] == u'!') {
            editor.trigger(edit.mid(at + 1));
            continue;
        }
        editor.typeTranslation(edit.mid(at + 1));
        if (edit.size() == at + 1)
            QTest::keyClick(editor.pane().Text2, Qt::Key_Backspace);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
    }
}

// Whether the tool accepts the file: msgfmt checks a PO file, lconvert and lrelease read a TS file.
bool toolsAccept(const QString &path)
{
    const auto runs = [](const QString &program, const QStringList &arguments) {
        QProcess tool;
        tool.start(program, arguments);
        return tool.waitForFinished() && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    };
    const QString qtTools = u"/usr/lib/qt6/bin/"_qs;
    if (path.endsWith(u".po"))
        return runs(u"msgfmt"_qs, {u"--check-format"_qs, u"--check-header"_qs, u"-o"_qs, u"/dev/null"_qs, path});
    return runs(qtTools + u"lconvert"_qs, {u"-i"_qs, path, u"-o"_qs, path + u".po"_qs})
        && runs(qtTools + u"lrelease"_qs, {path, u"-qm"_qs, path + u".qm"_qs});
}

// The editor with the catalogue open, its grid row shown in the pane.
struct CatalogueFixture : EditorFixture {
    CatalogueFixture(const QString &name, int row) : EditorFixture(name) { grid().setCursor(row); }
    QString row() const { return rows().value(grid().row() - 1); }
};

}

class EditorCataloguesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensTheEntriesInFileOrder_data() { addTestTable(u"editor/catalogue-entries.txt"_qs, {"name", "rows"}); }
    void opensTheEntriesInFileOrder()
    {
        QFETCH(QString, name);
        SessionFixture editor;
        QVERIFY(editor.open(name));
        QTEST(editor.rows().join(u';').replace(u'|', u'/'), "rows");
    }

    // Whatever the catalogue's charset, line ends or layout.
    void savesAnUnchangedCatalogueAsItWas_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"po/features.po", "po/features-gb2312.po", "po/features-gbk.po", "po/crlf.po",
                                 "po/bom.po", "po/messy.po", "po/noheader.po", "po/threeforms.po", "po/template.pot",
                                 "ts/handwritten.ts", "ts/qt4.ts", "ts/catalogue.ts"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void savesAnUnchangedCatalogueAsItWas()
    {
        QFETCH(QString, name);
        SessionFixture editor;
        const QString path = editor.write(name.section(u'/', 1), testData(name));
        QVERIFY(editor.session.open(path));
        QVERIFY(editor.session.model().document().size() > 0);
        QVERIFY(editor.session.save(path));
        QCOMPARE(editor.bytes(name.section(u'/', 1)), testData(name));
    }

    // gettext's tools would take a template's placeholder charset for ASCII.
    void declaresTheCharsetOfATranslatedTemplate()
    {
        SessionFixture editor;
        const QString path = editor.write(u"template.pot"_qs, testData(u"po/template.pot"_qs));
        QVERIFY(editor.session.open(path));
        QVERIFY(editor.session.edits().commitTranslation(0, u"打开文件"_qs));
        QVERIFY(editor.session.save(path));
        QProcess msgcat;
        msgcat.start(u"msgcat"_qs, {path});
        QVERIFY(msgcat.waitForFinished());
        const QString output = QString::fromUtf8(msgcat.readAllStandardOutput());
        QVERIFY(output.contains(u"charset=UTF-8"_qs) && output.contains(u"msgstr \"打开文件\""_qs));
        QCOMPARE(msgcat.readAllStandardError(), QByteArray());
    }

    // Typed with real keys and saved with Ctrl+S: the file changes only in the entries
    // edited, with no status file beside it, the project's tools accept it, and it opens
    // again as it was left.
    void savesOnlyTheEditedEntries_data()
    {
        addTestTable(u"editor/catalogue-edits.txt"_qs, {"name", "edits", "expected"});
    }
    void savesOnlyTheEditedEntries()
    {
        const auto [name, edits, expected] = fields("name", "edits", "expected");
        EditorFixture editor(name);
        runEdits(editor, edits);
        QTest::keyClick(editor.window->fg, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(editor.messages.boxes.isEmpty());
        QVERIFY(!editor.window->isModified());
        QCOMPARE(QDir(editor.path(QString())).entryList({u"catalogue*"_qs}), QStringList{name});
        QCOMPARE(editor.bytes(name), testData(u"editor/"_qs + expected));
        QVERIFY(toolsAccept(editor.path(name)));
        const QStringList rows = editor.rows();
        QVERIFY(editor.window->ActFileOpen(editor.path(name)));
        QCOMPARE(editor.rows(), rows);
    }

    // The pane shows what the catalogue says of the entry; a dictionary has nothing to show.
    void showsTheNotesOfTheEntry_data()
    {
        addTestTable(u"editor/catalogue-notes.txt"_qs, {"name", "row", "notes"});
    }
    void showsTheNotesOfTheEntry()
    {
        const auto [name, row, notes] = fields("name", "row", "notes");
        CatalogueFixture editor(name, row.toInt());
        const QLabel *shown = editor.pane().Notes;
        QCOMPARE(shown->text().replace(u'\n', u" / "_qs), notes);
        QCOMPARE(shown->isVisible(), !notes.isEmpty());
    }

    // Where untranslated means an empty translation, statuses follow the text.
    void keepsStatusAndTranslationTogether_data()
    {
        addTestTable(u"editor/catalogue-statuses.txt"_qs, {"name", "row", "command", "after"});
    }
    void keepsStatusAndTranslationTogether()
    {
        const auto [name, row, command, after] = fields("name", "row", "command", "after");
        CatalogueFixture editor(name, row.toInt());
        const QString before = editor.row();
        editor.trigger(command);
        QCOMPARE(editor.row().replace(u'|', u'/'), after);
        QCOMPARE(editor.window->isModified(), editor.row() != before);
    }

    // Matched untranslated entries come back for review, which the file keeps as fuzzy or
    // unfinished; the others stay as they were.
    void importsForReview_data()
    {
        addTestTable(u"editor/catalogue-imports.txt"_qs, {"name", "rows", "expected"});
    }
    void importsForReview()
    {
        const auto [name, rows, expected] = fields("name", "rows", "expected");
        DialogFixture<frmImport> import(name);
        import.dialogs.prepare(import.copy(u"catalogue-reference.glo"_qs));
        import.dialog = &import.showNew();
        import.find<QPushButton>(u"cmdStart"_qs)->click();
        QVERIFY2(import.messages.boxes.isEmpty(), qPrintable(import.messages.texts().join(u'\n')));
        QCOMPARE(import.rows().join(u';').replace(u'|', u'/'), rows);
        import.dialog->close();
        import.trigger(u"miFSave"_qs);
        QCOMPARE(import.bytes(name), testData(u"editor/"_qs + expected));
        QVERIFY(toolsAccept(import.path(name)));
    }

    // A dictionary holds an untranslated entry with its source as translation.
    void exportsAsADictionaryHoldsIt()
    {
        DialogFixture<frmExport> exporter(u"catalogue.po"_qs);
        exporter.dialogs.prepare(exporter.path(u"out"_qs));
        exporter.dialog = &exporter.showNew();
        for (QCheckBox *box : exporter.find<QWidget>(u"Frame4"_qs)->findChildren<QCheckBox *>())
            box->setChecked(box->text() == EntryStatus::Untranslated);
        exporter.find<QPushButton>(u"cmdStart"_qs)->click();
        QCOMPARE(exporter.text(u"out.txt"_qs),
                 u"9 1\t4 2\r\nCannot open file “%s”: %s\tCannot open file “%s”: %s\r\n"
                 "%d file selected\t%d file selected\r\nOK\tOK\r\n"
                 "Usage: sample [FILE]...\\nEdit the FILEs.\\n\tUsage: sample [FILE]...\\nEdit the FILEs.\\n\r\n"_qs);
    }

    // Saved as a two-line text, the document still holds its catalogue and can be saved
    // back into it; the dictionary opened from that text cannot.
    void savesAsADictionaryAndBack()
    {
        EditorFixture editor(u"catalogue.po"_qs);
        runEdits(editor, u"2=无法打开文件“%s”：%s ; 4=已选择 %d 个文件 ; 6=OK ; 5!miSTed ; 11!miSTno ; 3="_qs);
        editor.dialogs.prepare(editor.path(u"x"_qs), 1);
        editor.trigger(u"miFSaveAs"_qs);
        QCOMPARE(editor.dialogs.asked.filters.mid(5), (QStringList{u"gettext PO文件(*.po)|*.po"_qs, u"gettext PO文件(*.pot)|*.pot"_qs}));
        editor.dialogs.prepare(editor.path(u"y"_qs), 6);
        editor.trigger(u"miFSaveAs"_qs);
        QCOMPARE(editor.bytes(u"y.po"_qs), testData(u"editor/catalogue-edited.po"_qs));

        QVERIFY(editor.window->ActFileOpen(editor.path(u"x.a.txt"_qs)));
        QCOMPARE(editor.rows().mid(1, 5).join(u';'),
                 u"已译|2|Cannot open file “%s”: %s|无法打开文件“%s”：%s;未译|3|Open|Open;已译|4|%d file selected|已选择 %d 个文件;"
                 "已译|5|%d folder removed|找到 %d 个文件夹;已译|6|OK|OK"_qs);
        editor.trigger(u"miFSaveAs"_qs);
        QCOMPARE(editor.dialogs.asked.filters.size(), 5);
        QVERIFY(!editor.window->SaveDocument(editor.path(u"y.po"_qs)));
        QVERIFY(editor.messages.texts().constLast().contains(u"只有从此格式的文件打开的文档才能保存为此格式"));
        QCOMPARE(editor.bytes(u"y.po"_qs), testData(u"editor/catalogue-edited.po"_qs));
    }

    // The changes of a window that went without saving come back when the catalogue is
    // opened again, and save as if they had been typed.
    void recoversUnsavedChanges()
    {
        QTemporaryDir folder;
        {
            EditorFixture lost(u"catalogue.ts"_qs, folder.path());
            runEdits(lost, u"2=保存(&S) ; 3=已保存 %n 个文件 ; 5!miSTed ; 6=OK ; 1!miSTno ; 7=第一行\\n第二行改"_qs);
            lost.window->findChild<RecoveryKeeper *>()->writeNow();
        }
        EditorFixture editor(QString(), folder.path());
        editor.messages.answers = {MessageService::Yes};
        QVERIFY(editor.window->ActFileOpen(editor.path(u"catalogue.ts"_qs)));
        QTest::keyClick(editor.window->fg, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(editor.bytes(u"catalogue.ts"_qs), testData(u"editor/catalogue-edited.ts"_qs));
    }

    // A malformed catalogue is reported with its line and leaves the open document as it was.
    void keepsTheDocumentWhenACatalogueIsMalformed()
    {
        EditorFixture editor(u"catalogue.ts"_qs);
        const QString broken = editor.write(u"broken.po"_qs, QByteArray("msgid \"a\"\nmsgstr \"b\n"));
        editor.window->OpenGivenFile(broken);
        QCOMPARE(editor.messages.texts().size(), 2);
        QVERIFY(editor.messages.texts().constFirst().contains(u"broken.po"));
        QCOMPARE(editor.messages.texts().constLast(), u"打开文件失败!"_qs);
        QCOMPARE(editor.window->CurrentDocumentPath(), editor.path(u"catalogue.ts"_qs));
        QCOMPARE(editor.rows().size(), 7);
    }
};

QTEST_MAIN(EditorCataloguesTest)
#include "tst_editorcatalogues.moc"
