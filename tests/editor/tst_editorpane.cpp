#include "EditorFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

QStringList manyEntries(int count)
{
    QStringList entries;
    for (int i = 1; i <= count; ++i)
        entries << QStringLiteral("%1:Text %1").arg(i) << QStringLiteral("文字 %1").arg(i);
    return entries;
}

}

class EditorPaneTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsByteLengths()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"l.a.txt"_qs, {u"1:Open"_qs, u"打开"_qs}));
        QCOMPARE(editor.pane().Label1->text(), u"长度(原文|译文): 0004 | 0004 "_qs);
        editor.pane().Text2->moveCursor(QTextCursor::End);
        QTest::keyClick(editor.pane().Text2, 'x');
        QCOMPARE(editor.pane().Label1->text(), u"长度(原文|译文): 0004 | 0005 *"_qs);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Backspace);
        QCOMPARE(editor.pane().Label1->text(), u"长度(原文|译文): 0004 | 0004 "_qs);
        QVERIFY(!editor.pane().isEdited());
    }

    void commitsOnlyRealEdits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("modified");
        QTest::newRow("edited, review becomes translated") << u"查找文件"_qs << u"已译|1|Find|查找文件"_qs << true;
        QTest::newRow("equal to the source") << u"Find"_qs << u"复查|1|Find|查找"_qs << false;
        QTest::newRow("retyped as loaded") << u"查找"_qs << u"复查|1|Find|查找"_qs << false;
        QTest::newRow("tab escaped") << u"查找\tCtrl+F"_qs << u"已译|1|Find|查找\\tCtrl+F"_qs << true;
    }
    void commitsOnlyRealEdits()
    {
        QFETCH(QString, typed);
        QFETCH(QString, row);
        QFETCH(bool, modified);
        EditorFixture editor;
        QVERIFY(editor.openTable(u"c.a.csv"_qs, u"复查,1,Find,查找\r\n"_qs));
        editor.typeTranslation(typed);
        editor.pane().Command1->click();
        QCOMPARE(editor.rows(), QStringList{row});
        QCOMPARE(editor.window->isModified(), modified);
        QVERIFY(editor.pane().Text2->hasFocus());
    }

    void takesNoLineBreak()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"b.a.txt"_qs, {u"1:Open"_qs, u"打开"_qs}));
        editor.typeTranslation(u"甲"_qs);
        QApplication::clipboard()->setText(u"乙\r\n丙\n丁"_qs);
        editor.pane().Text2->paste();
        QCOMPARE(editor.pane().translation(), u"甲乙 丙 丁"_qs);
    }

    void nextRowScrollsIntoView()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"n.a.txt"_qs, manyEntries(300)));
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
    }

    void previousRowScrollsUpOneScreen()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"p.a.txt"_qs, manyEntries(300)));
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
        EditorFixture editor;
        QVERIFY(editor.openTable(u"h.a.csv"_qs, u"复查,1,A,甲\r\n已译,2,B,乙\r\n"_qs));
        editor.trigger(u"miVSort"_qs);
        editor.pane().Combo1->setCurrentIndex(frmTEdit::UpdateAndNext);
        editor.grid().setCursor(2);
        editor.pane().Command1->click();
        QCOMPARE(editor.grid().row(), 3);
        QVERIFY(editor.grid().isGroupRow(3));
        editor.typeTranslation(u"改"_qs);
        editor.pane().Command1->click();
        QCOMPARE(editor.rows(), (QStringList{u"[复查]"_qs, u"复查|1|A|甲"_qs, u"[已译]"_qs, u"已译|2|B|乙"_qs}));
    }
};

QTEST_MAIN(EditorPaneTest)
#include "tst_editorpane.moc"
