#include "EditorFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

namespace {

// Rows 1-6 in number order. Grouped: 1 [复查], 2 Delete, 3 Open, 4 [未译], 5 Save, 6 [已译], 7 Copy,
// 8 Date, 9 open.
const QString Table = u"复查,1,Delete,删除\r\n未译,2,Save,Save\r\n已译,3,Copy,复制\r\n复查,4,Open,打开\r\n"
                      u"已译,5,Date,日期\r\n已译,6,open,打开\r\n"_qs;

void selectRows(EditorFixture &editor, const QList<int> &rows)
{
    editor.grid().setCursor(rows.first());
    for (int row : rows) {
        const QModelIndex index = editor.grid().model().gridIndex(row);
        editor.window->fg->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

bool isEditing(const QTreeView *view)
{
    const auto *editor = view->viewport()->findChild<QLineEdit *>();
    return editor && editor->isVisible();
}

}

class EditorGridTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void jumpsToTheNextSourceWithTheLetter_data()
    {
        QTest::addColumn<bool>("grouped");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("to");
        QTest::newRow("below, either case") << false << 4 << int(Qt::Key_O) << int(Qt::AltModifier) << 6;
        QTest::newRow("taken by a shortcut") << false << 4 << int(Qt::Key_O) << int(Qt::ControlModifier) << 4;
        QTest::newRow("wraps to the top") << false << 5 << int(Qt::Key_D) << int(Qt::ControlModifier) << 1;
        QTest::newRow("with Alt") << false << 1 << int(Qt::Key_D) << int(Qt::AltModifier) << 5;
        QTest::newRow("no match stays") << false << 3 << int(Qt::Key_Z) << int(Qt::ControlModifier) << 3;
        QTest::newRow("shift alone is typing") << false << 1 << int(Qt::Key_S) << int(Qt::ShiftModifier) << 1;
        QTest::newRow("collapsed group skipped") << true << 1 << int(Qt::Key_O) << int(Qt::AltModifier) << 9;
    }
    void jumpsToTheNextSourceWithTheLetter()
    {
        QFETCH(bool, grouped);
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, to);
        EditorFixture editor;
        QVERIFY(editor.openTable(u"j.a.csv"_qs, Table));
        if (grouped) {
            editor.trigger(u"miVSort"_qs);
            editor.grid().setCursor(1);
            QTest::keyClick(editor.window->fg, Qt::Key_Left);
        } else {
            editor.trigger(u"miVOrder"_qs);
        }
        editor.grid().setCursor(from);
        QTest::keyClick(editor.window->fg, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(editor.grid().row(), to);
        QCOMPARE(editor.window->fg->currentIndex().column(), int(GridModel::Translation));
    }

    void keysOpenAndCloseGroups()
    {
        EditorFixture editor;
        QVERIFY(editor.openTable(u"k.a.csv"_qs, Table));
        editor.trigger(u"miVSort"_qs);
        QCOMPARE(editor.grid().row(), 2);
        editor.grid().setCursor(6);
        for (Qt::Key key : {Qt::Key_Home, Qt::Key_Left}) {
            QTest::keyClick(editor.window->fg, key);
            QVERIFY(editor.grid().isCollapsed(6));
            QVERIFY(editor.grid().CollapsedGroups.isSet(u"已译"_qs));
            QTest::keyClick(editor.window->fg, key == Qt::Key_Home ? Qt::Key_End : Qt::Key_Right);
            QVERIFY(!editor.grid().isCollapsed(6));
            QVERIFY(!editor.grid().CollapsedGroups.isSet(u"已译"_qs));
        }
        editor.grid().setCursor(3);
        QTest::keyClick(editor.window->fg, Qt::Key_Left);
        QCOMPARE(editor.grid().row(), 3);
        QVERIFY(!isEditing(editor.window->fg));
        QVERIFY(!editor.grid().isCollapsed(1));
        QTest::keyClick(editor.window->fg, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(editor.grid().row(), 9);
        QTest::keyClick(editor.window->fg, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(editor.grid().row(), 2);
    }

    void doubleClickTogglesGroupsAndEditsTranslations()
    {
        EditorFixture editor;
        QVERIFY(editor.openTable(u"d.a.csv"_qs, Table));
        editor.trigger(u"miVSort"_qs);
        QTreeView *view = editor.window->fg;
        const QPoint header = view->visualRect(editor.grid().model().gridIndex(4, GridModel::Status)).center();
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, header);
        QVERIFY(editor.grid().isCollapsed(4));
        QVERIFY(editor.grid().CollapsedGroups.isSet(u"未译"_qs));
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, header);
        QVERIFY(!editor.grid().isCollapsed(4));
        QVERIFY(!editor.grid().CollapsedGroups.isSet(u"未译"_qs));

        const QPoint status = view->visualRect(editor.grid().model().gridIndex(2, GridModel::Status)).center();
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, status);
        QVERIFY(isEditing(view));
        QCOMPARE(view->currentIndex(), editor.grid().model().gridIndex(2, GridModel::Translation));
    }

    void cursorKeepsToTheTranslationColumn()
    {
        EditorFixture editor;
        QVERIFY(editor.openTable(u"c.a.csv"_qs, Table));
        QTreeView *view = editor.window->fg;
        const QPoint number = view->visualRect(editor.grid().model().gridIndex(3, GridModel::Number)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, number);
        QCOMPARE(view->currentIndex(), editor.grid().model().gridIndex(3, GridModel::Translation));
        QCOMPARE(editor.pane().source(), u"Copy"_qs);
    }

    void editsInTheGridMarkTheEntryTranslated()
    {
        EditorFixture editor;
        QVERIFY(editor.openTable(u"e.a.csv"_qs, Table));
        QTreeView *view = editor.window->fg;
        editor.grid().setCursor(1);
        view->edit(view->currentIndex());
        auto *line = view->findChild<QLineEdit *>();
        QVERIFY(line);
        line->setText(u"删除\tDel"_qs);
        QTest::keyClick(line, Qt::Key_Return);
        QTRY_COMPARE(editor.rows().value(0), u"已译|1|Delete|删除\\tDel"_qs);
        QCOMPARE(editor.pane().translation(), u"删除\\tDel"_qs);
        QCOMPARE(editor.window->windowTitle(), u"*e.a.csv - Quillet"_qs);
    }

    void setsTheStatusOfSelectedRows_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<bool>("modified");
        QTest::newRow("two of three change") << QList<int>{1, 2, 3} << u"miSTck"_qs
                                             << QStringList{u"复查"_qs, u"复查"_qs, u"复查"_qs, u"复查"_qs} << true;
        QTest::newRow("none changes") << QList<int>{1, 4} << u"miSTck"_qs
                                      << QStringList{u"复查"_qs, u"未译"_qs, u"已译"_qs, u"复查"_qs} << false;
        QTest::newRow("untranslated") << QList<int>{3} << u"miSTun"_qs
                                      << QStringList{u"复查"_qs, u"未译"_qs, u"未译"_qs, u"复查"_qs} << true;
        QTest::newRow("translated") << QList<int>{2} << u"miSTed"_qs
                                    << QStringList{u"复查"_qs, u"已译"_qs, u"已译"_qs, u"复查"_qs} << true;
        QTest::newRow("not to translate") << QList<int>{4} << u"miSTno"_qs
                                          << QStringList{u"复查"_qs, u"未译"_qs, u"已译"_qs, u"不译"_qs} << true;
    }
    void setsTheStatusOfSelectedRows()
    {
        QFETCH(QList<int>, rows);
        QFETCH(QString, tool);
        QFETCH(QStringList, statuses);
        QFETCH(bool, modified);
        EditorFixture editor;
        QVERIFY(editor.openTable(u"s.a.csv"_qs, Table));
        selectRows(editor, rows);
        editor.trigger(tool);
        QStringList actual;
        for (int row = 1; row <= 4; ++row)
            actual.append(editor.grid().textMatrix(row, GridModel::Status));
        QCOMPARE(actual, statuses);
        QCOMPARE(editor.window->windowTitle().startsWith(u'*'), modified);
    }

    void resumesTheSource()
    {
        EditorFixture editor;
        QVERIFY(editor.openTable(u"r.a.csv"_qs, Table));
        selectRows(editor, {2});
        editor.trigger(u"miEResume"_qs);
        QVERIFY(!editor.window->isModified());
        selectRows(editor, {3, 1});
        editor.trigger(u"miEResume"_qs);
        QCOMPARE(editor.rows().mid(0, 3), (QStringList{u"复查|1|Delete|Delete"_qs, u"未译|2|Save|Save"_qs,
                                                       u"已译|3|Copy|Copy"_qs}));
        QCOMPARE(editor.pane().translation(), u"Copy"_qs);
        QVERIFY(editor.window->isModified());
    }

    void documentCommandsWaitForADocument()
    {
        EditorFixture editor;
        QTest::keyClick(editor.window->fg, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(editor.messages.shown.isEmpty());
        QVERIFY(!editor.window->findChild<QAction *>(u"miFExport"_qs)->isEnabled());
        QVERIFY(editor.openTable(u"w.a.csv"_qs, Table));
        QVERIFY(editor.window->findChild<QAction *>(u"miFExport"_qs)->isEnabled());
    }

    // Alt+F opens the file menu even where a source begins with F; Alt+D still jumps.
    void menuAccessKeysWinOverLetterJumps()
    {
        EditorFixture editor;
        QVERIFY(editor.openTable(u"m.a.csv"_qs, u"未译,1,File,File\r\n未译,2,Done,Done\r\n"_qs));
        editor.window->fg->setFocus();
        QTest::keyClick(editor.window->fg, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(editor.grid().row(), 2);
        QTest::keyClick(editor.window->fg, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(editor.window->findChild<QMenu *>(u"mnuFile"_qs)->isVisible());
        QCOMPARE(editor.grid().row(), 2);
    }

    void everyCommandCommitsTheEditPaneFirst()
    {
        EditorFixture editor;
        QVERIFY(editor.openTable(u"p.a.csv"_qs, Table));
        editor.grid().setCursor(2);
        editor.typeTranslation(u"保存"_qs);
        // The about box is modal: closed as soon as it shows.
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        editor.trigger(u"miHAbout"_qs);
        QCOMPARE(editor.rows().value(1), u"已译|2|Save|保存"_qs);
        QVERIFY(editor.window->isModified());
    }
};

QTEST_MAIN(EditorGridTest)
#include "tst_editorgrid.moc"
