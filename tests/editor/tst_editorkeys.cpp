#include "EditorFixture.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Rows 1-4 in number order.
const QString Table = u"已译,1,A,甲\r\n已译,2,B,乙\r\n复查,3,C,C\r\n未译,4,D,D\r\n"_qs;

}

class EditorKeysTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shortcutsRunTheirCommands()
    {
        EditorFixture editor;
        QVERIFY(editor.openTable(u"k.a.csv"_qs, Table));
        QWidget *grid = editor.window->fg;
        editor.window->MarkModified();
        QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!editor.window->isModified());
        for (const auto &[keys, title] : {std::pair{QKeyCombination(Qt::ControlModifier, Qt::Key_O), u"打开"_qs},
                                          std::pair{Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_S, u"另存为"_qs}}) {
            editor.dialogs.asked = {};
            QTest::keyClick(grid, keys.key(), keys.keyboardModifiers());
            QCOMPARE(editor.dialogs.asked.title, title);
            QCOMPARE(editor.dialogs.asked.startFolder, QFileInfo(editor.path(u"k.a.csv"_qs)).absolutePath());
        }

        QTest::keyClick(grid, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!editor.window->isVisible());
    }

    void enterCommitsAndMoves_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("row");
        QTest::newRow("Enter as the button") << int(Qt::NoModifier) << 1;
        QTest::newRow("Ctrl+Enter to the next") << int(Qt::ControlModifier) << 2;
        QTest::newRow("Ctrl+Shift+Enter to the next unfinished") << int(Qt::ControlModifier | Qt::ShiftModifier) << 3;
    }
    void enterCommitsAndMoves()
    {
        QFETCH(int, modifiers);
        QFETCH(int, row);
        EditorFixture editor;
        QVERIFY(editor.openTable(u"e.a.csv"_qs, Table));
        editor.typeTranslation(u"X"_qs);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(editor.grid().row(), row);
        QCOMPARE(editor.rows().value(0), u"已译|1|A|X"_qs);
        QVERIFY(!editor.pane().translation().contains(u'\n'));
    }

    // Tab leaves the cell editor on its row: the next key edits that row again, never
    // the following entry.
    void tabInTheCellEditorStaysOnItsRow()
    {
        EditorFixture editor;
        QVERIFY(editor.openTable(u"t.a.csv"_qs, Table));
        QTreeView *grid = editor.window->fg;
        QTest::keyClick(grid, Qt::Key_F2);
        auto *line = grid->viewport()->findChild<QLineEdit *>();
        QVERIFY(line);
        line->selectAll();
        QTest::keyClicks(line, u"ab"_qs);
        QTest::keyClick(line, Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), u"z"_qs);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(editor.grid().row(), 1);
        QCOMPARE(editor.rows().value(1), u"已译|2|B|乙"_qs);
    }

    void paneComesBackFromTheViewMenu()
    {
        EditorFixture editor;
        editor.pane().close();
        editor.trigger(u"miVEditPane"_qs);
        QVERIFY(editor.pane().isVisible());
    }

    void countsFollowEditsAndStatuses()
    {
        EditorFixture editor;
        QVERIFY(editor.openTable(u"c.a.csv"_qs, Table));
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
        QCOMPARE(editor.grid().model().data(editor.grid().model().groupIndex(0).siblingAtColumn(GridModel::Status)),
                 QVariant(u"不译 (1)"_qs));
    }
};

QTEST_MAIN(EditorKeysTest)
#include "tst_editorkeys.moc"
