#include "EditorFixture.h"

#include "EntryNotesView.h"

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
};

QTEST_MAIN(EditorCataloguesTest)
#include "tst_editorcatalogues.moc"
