#include "EditorFixture.h"

#include <QClipboard>
#include <QMenu>

// keys.a.csv: rows 1-4 in number order. grid.a.csv: rows 1-6 in number order; grouped:
// 1 [复查], 2 Delete, 3 Open, 4 [未译], 5 Save, 6 [已译], 7 Copy, 8 Date, 9 open.
namespace {

// Selects the rows listed ("3,1"), with the cursor on the first.
void selectRows(EditorFixture &editor, const QString &rows)
{
    editor.grid().setCursor(rows.section(u',', 0, 0).toInt());
    for (const QString &row : rows.split(u','))
        editor.window->fg->selectionModel()->select(editor.grid().model().gridIndex(row.toInt()),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

bool isEditing(const QTreeView *view)
{
    const auto *editor = view->viewport()->findChild<QLineEdit *>();
    return editor && editor->isVisible();
}

QPoint cellCentre(EditorFixture &editor, int row, int column)
{
    return editor.window->fg->visualRect(editor.grid().model().gridIndex(row, column)).center();
}

}

class EditorKeysTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shortcutsRunTheirCommands()
    {
        EditorFixture editor(u"keys.a.csv"_qs);
        QWidget *grid = editor.window->fg;
        editor.trigger(u"miSTno"_qs);
        press(grid, u"Ctrl+S"_qs);
        QVERIFY(!editor.window->isModified());
        for (const auto &[keys, title] : {std::pair{u"Ctrl+O"_qs, u"打开"_qs}, std::pair{u"Ctrl+Shift+S"_qs, u"另存为"_qs}}) {
            editor.dialogs.asked = {};
            press(grid, keys);
            QCOMPARE(editor.dialogs.asked.title, title);
            QCOMPARE(editor.dialogs.asked.startFolder, QFileInfo(editor.path(u"keys.a.csv"_qs)).absolutePath());
        }
        press(grid, u"Ctrl+Q"_qs);
        QVERIFY(!editor.window->isVisible());
    }

    void enterCommitsAndMoves_data()
    {
        addTestTable(u"editor/commit-keys.txt"_qs, {"keys", "row"});
    }
    void enterCommitsAndMoves()
    {
        QFETCH(QString, keys);
        EditorFixture editor(u"keys.a.csv"_qs);
        editor.typeTranslation(u"X"_qs);
        press(editor.pane().Text2, keys);
        QTEST(QString::number(editor.grid().row()), "row");
        QCOMPARE(editor.rows().value(0), u"已译|1|A|X"_qs);
        QVERIFY(!editor.pane().Label1->text().endsWith(u'*'));
    }

    // An edit in the grid marks the entry translated and escapes its tab. Tab leaves the
    // cell editor on its row: the next key edits that row again, never the following entry.
    void tabInTheCellEditorStaysOnItsRow()
    {
        EditorFixture editor(u"grid.a.csv"_qs);
        QTest::keyClick(editor.window->fg, Qt::Key_X);
        auto *line = editor.window->fg->viewport()->findChild<QLineEdit *>();
        QVERIFY(line);
        line->setText(u"删除\tDel"_qs);
        QTest::keyClick(line, Qt::Key_Tab);
        QCOMPARE(editor.rows().value(0), u"已译|1|Delete|删除\\tDel"_qs);
        QCOMPARE(editor.pane().translation(), u"删除\\tDel"_qs);
        QCOMPARE(editor.window->windowTitle(), u"*grid.a.csv - Quillet"_qs);
        QTest::keyClicks(QApplication::focusWidget(), u"z"_qs);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(editor.grid().row(), 1);
        QCOMPARE(editor.rows().value(1), u"未译|2|Save|Save"_qs);
    }

    void countsFollowEditsAndStatuses()
    {
        EditorFixture editor(u"keys.a.csv"_qs);
        const auto counts = [&editor] { return editor.window->findChild<QLabel *>(u"lblCounts"_qs)->text(); };
        QCOMPARE(counts(), u"未译 1  复查 1  不译 0  已译 2 / 4 (50.0%)"_qs);
        editor.grid().setCursor(3);
        editor.typeTranslation(u"丙"_qs);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
        QCOMPARE(counts(), u"未译 1  复查 0  不译 0  已译 3 / 4 (75.0%)"_qs);
        editor.grid().setCursor(1);
        editor.trigger(u"miSTno"_qs);
        QCOMPARE(counts(), u"未译 1  复查 0  不译 1  已译 2 / 4 (50.0%)"_qs);
        editor.trigger(u"miVSort"_qs);
        QCOMPARE(editor.rows(), (QStringList{u"[不译]"_qs, u"不译|1|A|甲"_qs, u"[未译]"_qs, u"未译|4|D|D"_qs, u"[已译]"_qs,
                                             u"已译|2|B|乙"_qs, u"已译|3|C|丙"_qs}));
        // Translated, the entry stays under its old header, marked, until the next grouping;
        // every header counts its status.
        editor.grid().setCursor(4);
        editor.typeTranslation(u"丁"_qs);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
        const auto caption = [&editor](int row) { return editor.window->fg->model()->data(editor.grid().model().gridIndex(row, GridModel::Status)); };
        QCOMPARE(caption(3), QVariant(u"未译 (0)"_qs));
        QCOMPARE(caption(5), QVariant(u"已译 (3)"_qs));
        QVERIFY(qvariant_cast<QFont>(editor.grid().model().gridIndex(4).data(Qt::FontRole)).italic());
        QCOMPARE(counts(), u"未译 0  复查 0  不译 1  已译 3 / 4 (75.0%)"_qs);
        editor.trigger(u"miVSort"_qs);
        QCOMPARE(editor.rows().mid(2, 4), (QStringList{u"[已译]"_qs, u"已译|2|B|乙"_qs, u"已译|3|C|丙"_qs, u"已译|4|D|丁"_qs}));
    }

    void jumpsToTheNextSourceWithTheLetter_data()
    {
        addTestTable(u"editor/letter-jumps.txt"_qs, {"display", "from", "keys", "to"});
    }
    void jumpsToTheNextSourceWithTheLetter()
    {
        const auto [display, from, keys] = fields("display", "from", "keys");
        EditorFixture editor(u"grid.a.csv"_qs);
        editor.trigger(display);
        if (display == u"miVSort") {
            editor.grid().setCursor(1);
            QTest::keyClick(editor.window->fg, Qt::Key_Left);
        }
        editor.grid().setCursor(from.toInt());
        press(editor.window->fg, keys);
        QTEST(QString::number(editor.grid().row()), "to");
        QCOMPARE(editor.window->fg->currentIndex().column(), int(GridModel::Translation));
    }

    // Alt+F opens the file menu even where a source begins with F; Alt+O still jumps.
    void menuAccessKeysWinOverLetterJumps()
    {
        EditorFixture editor(u"sample.a.txt"_qs);
        editor.window->fg->setFocus();
        press(editor.window->fg, u"Alt+O"_qs);
        QCOMPARE(editor.grid().row(), 2);
        press(editor.window->fg, u"Alt+F"_qs);
        QTRY_VERIFY(editor.window->findChild<QMenu *>(u"mnuFile"_qs)->isVisible());
        QCOMPARE(editor.grid().row(), 2);
    }

    void keysOpenAndCloseGroups()
    {
        EditorFixture editor(u"grid.a.csv"_qs);
        editor.trigger(u"miVSort"_qs);
        QCOMPARE(editor.grid().row(), 2);
        editor.grid().setCursor(6);
        for (const auto &[close, open] : {std::pair{Qt::Key_Home, Qt::Key_End}, std::pair{Qt::Key_Left, Qt::Key_Right}}) {
            QTest::keyClick(editor.window->fg, close);
            QVERIFY(editor.grid().isCollapsed(6) && editor.grid().CollapsedGroups.isSet(u"已译"_qs));
            QTest::keyClick(editor.window->fg, open);
            QVERIFY(!editor.grid().isCollapsed(6) && !editor.grid().CollapsedGroups.isSet(u"已译"_qs));
        }
        editor.grid().setCursor(3);
        QTest::keyClick(editor.window->fg, Qt::Key_Left);
        QCOMPARE(editor.grid().row(), 3);
        QVERIFY(!isEditing(editor.window->fg));
        QVERIFY(!editor.grid().isCollapsed(1));
        press(editor.window->fg, u"Ctrl+End"_qs);
        QCOMPARE(editor.grid().row(), 9);
        press(editor.window->fg, u"Ctrl+Home"_qs);
        QCOMPARE(editor.grid().row(), 2);
    }

    // A double click toggles a group; on an entry it edits the translation; a click
    // anywhere in a row puts the cursor in the translation column.
    void mouseTogglesGroupsAndEditsTranslations()
    {
        EditorFixture editor(u"grid.a.csv"_qs);
        editor.trigger(u"miVSort"_qs);
        QWidget *viewport = editor.window->fg->viewport();
        const QPoint header = cellCentre(editor, 4, GridModel::Status);
        QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, header);
        QVERIFY(editor.grid().isCollapsed(4) && editor.grid().CollapsedGroups.isSet(u"未译"_qs));
        QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, header);
        QVERIFY(!editor.grid().isCollapsed(4) && !editor.grid().CollapsedGroups.isSet(u"未译"_qs));

        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(editor, 3, GridModel::Number));
        QCOMPARE(editor.window->fg->currentIndex(), editor.grid().model().gridIndex(3, GridModel::Translation));
        QCOMPARE(editor.pane().source(), u"Open"_qs);
        QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(editor, 2, GridModel::Status));
        QVERIFY(isEditing(editor.window->fg));
        QCOMPARE(editor.window->fg->currentIndex(), editor.grid().model().gridIndex(2, GridModel::Translation));
    }

    // The status commands and the command that puts the source back as translation.
    void changesTheSelectedRows_data()
    {
        addTestTable(u"editor/row-commands.txt"_qs, {"rows", "tool", "after", "modified"});
    }
    void changesTheSelectedRows()
    {
        const auto [rows, tool] = fields("rows", "tool");
        EditorFixture editor(u"grid.a.csv"_qs);
        selectRows(editor, rows);
        editor.trigger(tool);
        QTEST(editor.rows().mid(0, 4).join(u';').replace(u'|', u'/'), "after");
        QTEST(editor.window->isModified() ? u"yes"_qs : u"no"_qs, "modified");
        QCOMPARE(editor.pane().translation(), editor.grid().textMatrix(editor.grid().row(), GridModel::Translation));
    }

    // Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y, wherever the focus is, step through the history:
    // the cursor goes to the entry changed, the title's mark follows the saved state.
    void undoesAndRedoesEachStep_data()
    {
        addTestTable(u"editor/undo-steps.txt"_qs, {"rows", "action", "step", "after"});
    }
    void undoesAndRedoesEachStep()
    {
        const auto [rows, action, step] = fields("rows", "action", "step");
        EditorFixture editor(u"grid.a.csv"_qs);
        const QStringList before = editor.rows();
        selectRows(editor, rows);
        editor.window->fg->setFocus();
        if (action.startsWith(u"pane:")) {
            editor.typeTranslation(action.mid(5));
            QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
        } else if (action.startsWith(u"cell:")) {
            QTest::keyClicks(editor.window->fg, action.mid(5, 1)); // opens the cell editor
            QTest::keyClicks(QApplication::focusWidget(), action.mid(6));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else {
            editor.trigger(action);
        }
        const QStringList after = editor.rows();
        QTEST(after.mid(0, 4).join(u';').replace(u'|', u'/'), "after");
        QCOMPARE(editor.window->findChild<QAction *>(u"miEUndo"_qs)->text(), step);
        QWidget *focus = QApplication::focusWidget();
        editor.grid().setCursor(6);
        focus->setFocus();
        // Keys, the rows as before the step (or after it), the title's mark.
        const std::tuple<QString, bool, bool> presses[] = {
            {u"Ctrl+Z"_qs, true, false},  {u"Ctrl+Shift+Z"_qs, false, true}, {u"Ctrl+Z"_qs, true, false},
            {u"Ctrl+Y"_qs, false, true}, {u"Ctrl+S"_qs, false, false},      {u"Ctrl+Z"_qs, true, true}};
        const int changedRow = std::min(rows.section(u',', 0, 0).toInt(), rows.section(u',', -1).toInt());
        for (const auto &[keys, undone, marked] : presses) {
            press(QApplication::focusWidget(), keys);
            QCOMPARE(editor.rows(), undone ? before : after);
            QCOMPARE(editor.window->windowTitle().startsWith(u'*'), marked);
            QCOMPARE(editor.grid().row(), changedRow);
            QCOMPARE(editor.pane().translation(), editor.grid().textMatrix(changedRow, GridModel::Translation));
        }
    }

    // Previous and next, from the box or the grid, keep the focus where it is; Esc leaves
    // the box, F2 and Enter enter it. An untranslated entry's text is selected in the box.
    void movesBothWaysAndBetweenGridAndBox_data()
    {
        addTestTable(u"editor/move-keys.txt"_qs, {"display", "from", "focus", "keys", "to", "focusAfter", "selected"});
    }
    void movesBothWaysAndBetweenGridAndBox()
    {
        const auto [display, from, focus, keys] = fields("display", "from", "focus", "keys");
        EditorFixture editor(u"grid.a.csv"_qs);
        press(editor.focusOn(display, from.toInt(), focus), keys);
        QTEST(QString::number(editor.grid().row()), "to");
        QTEST(QApplication::focusWidget()->objectName(), "focusAfter");
        QTEST(editor.pane().Text2->textCursor().selectedText(), "selected");
    }

    // A filter keeps to the entries of its statuses, grouped or not; both keep the entry
    // at the cursor while it is shown.
    void filtersByStatus_data()
    {
        addTestTable(u"editor/filter-cases.txt"_qs, {"display", "keys", "rows", "shown", "cursor"});
    }
    void filtersByStatus()
    {
        const auto [display, keys] = fields("display", "keys");
        EditorFixture editor(u"grid.a.csv"_qs);
        editor.grid().setCursor(4);
        editor.trigger(display);
        press(editor.window->fg, keys);
        QTEST(shownRows(editor), "rows");
        auto *shown = editor.window->findChild<QLabel *>(u"lblShown"_qs);
        QTEST(shown->isVisible() ? shown->text() : QString(), "shown");
        QTEST(editor.grid().textMatrix(editor.grid().row(), GridModel::Number), "cursor");
    }

    // Under a filter an entry that changed stays, marked, while the headers count its
    // status; a command on every row shown acts on those entries only.
    void editsUnderAFilterKeepTheCountsTrue()
    {
        EditorFixture editor(u"grid.a.csv"_qs);
        editor.trigger(u"miVSort"_qs);
        press(editor.window->fg, u"Ctrl+4"_qs);
        editor.grid().setCursor(5);
        editor.typeTranslation(u"存"_qs);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
        QCOMPARE(shownRows(editor), u"[复查 (2)],1,4,[未译 (0)],2"_qs);
        QVERIFY(qvariant_cast<QFont>(editor.grid().model().gridIndex(5).data(Qt::FontRole)).italic());
        editor.window->fg->setFocus();
        press(editor.window->fg, u"Ctrl+A"_qs);
        editor.trigger(u"miSTno"_qs);
        QCOMPARE(editor.window->findChild<QLabel *>(u"lblCounts"_qs)->text(), u"未译 0  复查 0  不译 3  已译 3 / 6 (50.0%)"_qs);
        press(editor.window->fg, u"Ctrl+4"_qs);
        QCOMPARE(shownRows(editor), QString());
    }

    void documentCommandsWaitForADocument()
    {
        EditorFixture editor;
        press(editor.window->fg, u"Ctrl+S"_qs);
        QVERIFY(editor.messages.boxes.isEmpty());
        QVERIFY(!editor.window->findChild<QAction *>(u"miFExport"_qs)->isEnabled());
        QVERIFY(editor.open(u"grid.a.csv"_qs));
        QVERIFY(editor.window->findChild<QAction *>(u"miFExport"_qs)->isEnabled());
    }

    // Byte lengths, starred while edited; a pasted line break becomes a blank.
    void showsByteLengthsAndTakesNoLineBreak()
    {
        EditorFixture editor(u"sample.a.txt"_qs);
        editor.grid().setCursor(2);
        QCOMPARE(editor.pane().Label1->text(), u"长度(原文|译文): 0004 | 0004 "_qs);
        editor.pane().Text2->moveCursor(QTextCursor::End);
        QTest::keyClick(editor.pane().Text2, 'x');
        QCOMPARE(editor.pane().Label1->text(), u"长度(原文|译文): 0004 | 0005 *"_qs);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Backspace);
        QCOMPARE(editor.pane().Label1->text(), u"长度(原文|译文): 0004 | 0004 "_qs);
        QVERIFY(!editor.pane().isEdited());
        QApplication::clipboard()->setText(u"乙\r\n丙\n丁"_qs);
        editor.pane().Text2->paste();
        QCOMPARE(editor.pane().translation(), u"打开乙 丙 丁"_qs);
    }

    void commitsOnlyRealEdits_data()
    {
        addTestTable(u"editor/pane-commits.txt"_qs, {"typed", "row"});
    }
    void commitsOnlyRealEdits()
    {
        QFETCH(QString, typed);
        EditorFixture editor(u"grid.a.csv"_qs);
        editor.typeTranslation(typed.replace(u"\\t"_qs, u"\t"_qs));
        editor.pane().Command1->click();
        QTEST(editor.rows().value(0).replace(u'|', u'/'), "row");
        QCOMPARE(editor.window->isModified(), editor.rows().value(0).startsWith(u"已译"));
        QVERIFY(editor.pane().Text2->hasFocus());
    }

    // Moving on keeps the new row in view: below the screen it becomes the top row, above
    // it the grid scrolls up a screen; at either end the cursor stays.
    void commitAndMoveKeepsTheRowInView()
    {
        EditorFixture editor;
        QString many; // 300 two-line entries, more than a screen holds
        for (int i = 1; i <= 300; ++i)
            many += QStringLiteral("\r\n%1:Text %1\r\n文字 %1\r\n").arg(i);
        QVERIFY(editor.window->ActFileOpen(editor.write(u"many.a.txt"_qs, many)));
        editor.pane().Combo1->setCurrentIndex(frmTEdit::UpdateAndNext);
        int row = 1;
        while (editor.grid().isRowOnScreen(row + 1))
            ++row;
        editor.grid().setCursor(row);
        editor.pane().Command1->click();
        QCOMPARE(editor.grid().row(), row + 1);
        QCOMPARE(editor.grid().topRow(), row + 1);
        QCOMPARE(editor.pane().source(), QStringLiteral("Text %1").arg(row + 1));
        editor.grid().setCursor(300);
        editor.pane().Command1->click();
        QCOMPARE(editor.grid().row(), 300);

        editor.pane().Combo1->setCurrentIndex(frmTEdit::UpdateAndPrevious);
        editor.grid().setCursor(200);
        editor.grid().setTopRow(200);
        editor.pane().Command1->click();
        QCOMPARE(editor.grid().row(), 199);
        QVERIFY(editor.grid().isRowOnScreen(199));
        QVERIFY(editor.grid().isRowOnScreen(200) || editor.grid().topRow() < 190);
        QVERIFY(editor.grid().topRow() < 199);
        editor.grid().setCursor(1);
        editor.pane().Command1->click();
        QCOMPARE(editor.grid().row(), 1);
    }

    void groupHeadersAreNotSkipped()
    {
        EditorFixture editor(u"keys.a.csv"_qs);
        editor.trigger(u"miVSort"_qs);
        const QStringList before = editor.rows();
        editor.pane().Combo1->setCurrentIndex(frmTEdit::UpdateAndNext);
        editor.grid().setCursor(2);
        editor.pane().Command1->click();
        QCOMPARE(editor.grid().row(), 3);
        QVERIFY(editor.grid().isGroupRow(3));
        editor.typeTranslation(u"改"_qs);
        editor.pane().Command1->click();
        QCOMPARE(editor.rows(), before);
    }
};

QTEST_MAIN(EditorKeysTest)
#include "tst_editorkeys.moc"
