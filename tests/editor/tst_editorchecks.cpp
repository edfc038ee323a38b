#include "EditorFixture.h"

#include "EditorSettings.h"
#include "EntryExport.h"
#include "OptionSettings.h"
#include "cInifile.h"
#include "checks/CheckSettings.h"

#include <QStatusBar>

// checks.a.csv, flat: 1 &Open..., 2 Name: (findings), 3 &Save (未译), 4 Delete %s? (复查,
// findings), 5 Ready, 6 &Close (未译).
namespace {

QString label(const EditorFixture &editor, const QString &name)
{
    return editor.window->findChild<QLabel *>(name)->text();
}

// The tool tip of the row's status cell; empty when the cell carries no mark.
QString mark(const EditorFixture &editor, int row)
{
    const QModelIndex status = editor.grid().model().gridIndex(row, GridModel::Status);
    const bool tinted = status.data(Qt::BackgroundRole) != status.siblingAtColumn(GridModel::Number).data(Qt::BackgroundRole);
    const QString tip = status.data(Qt::ToolTipRole).toString();
    return tinted == !tip.isEmpty() ? tip : u"tint and tool tip disagree"_qs;
}

}

class EditorChecksTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each kind of step marks and unmarks what it changed; undo and redo follow.
    void marksFollowEachStep_data()
    {
        addTestTable(u"editor/check-steps.txt"_qs, {"row", "action", "mark", "problems"});
    }
    void marksFollowEachStep()
    {
        const auto [row, action] = fields("row", "action");
        EditorFixture editor(u"checks.a.csv"_qs);
        QCOMPARE(label(editor, u"lblProblems"_qs), u"有问题 2"_qs);
        editor.grid().setCursor(row.toInt());
        const QString before = mark(editor, row.toInt());
        if (action.startsWith(u"pane:")) {
            editor.typeTranslation(action.mid(5));
            QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
        } else if (action.startsWith(u"cell:")) {
            editor.window->fg->setFocus();
            QTest::keyClicks(editor.window->fg, action.mid(5, 1));
            QTest::keyClicks(QApplication::focusWidget(), action.mid(6));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else {
            editor.trigger(action);
        }
        QVERIFY(editor.window->isModified());
        QTEST(mark(editor, row.toInt()), "mark");
        QTEST(label(editor, u"lblProblems"_qs), "problems");
        press(editor.window->fg, u"Ctrl+Z"_qs);
        QCOMPARE(mark(editor, row.toInt()), before);
        QCOMPARE(label(editor, u"lblProblems"_qs), u"有问题 2"_qs);
        press(editor.window->fg, u"Ctrl+Y"_qs);
        QTEST(mark(editor, row.toInt()), "mark");
        QTEST(label(editor, u"lblProblems"_qs), "problems");
    }

    void problemKeysMoveTheCursor_data()
    {
        addTestTable(u"editor/check-keys.txt"_qs, {"display", "from", "focus", "keys", "to", "note"});
    }
    void problemKeysMoveTheCursor()
    {
        const auto [display, from, focus, keys] = fields("display", "from", "focus", "keys");
        EditorFixture editor(u"checks.a.csv"_qs);
        QWidget *start = editor.focusOn(display, from.toInt(), focus);
        press(start, keys);
        QTEST(QString::number(editor.grid().row()), "to");
        QCOMPARE(QApplication::focusWidget(), start);
        QTEST(editor.window->statusBar()->currentMessage(), "note");
    }

    // The filter shows what has findings as it was laid out: a fixed entry stays, marked
    // as moved, until the filter is chosen again.
    void filtersTheEntriesWithProblems()
    {
        EditorFixture editor(u"checks.a.csv"_qs);
        editor.trigger(u"miVSort"_qs);
        press(editor.window->fg, u"Ctrl+5"_qs);
        QCOMPARE(shownRows(editor), u"[复查 (1)],4,[已译 (3)],2"_qs);
        QCOMPARE(label(editor, u"lblShown"_qs), u"筛选后显示 2 条"_qs);
        editor.grid().setCursor(4);
        editor.typeTranslation(u"名称："_qs);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
        QVERIFY(qvariant_cast<QFont>(editor.grid().model().gridIndex(4).data(Qt::FontRole)).italic());
        QCOMPARE(label(editor, u"lblProblems"_qs), u"有问题 1"_qs);
        editor.trigger(u"miVOrder"_qs);
        QCOMPARE(shownRows(editor), u"4"_qs);
        QCOMPARE(editor.window->findChild<QAction *>(u"miVFilter"_qs)->iconText(), u"筛选: 有问题的条目"_qs);
    }

    // A catalogue is checked with its file's access-key marker and its entries' format flags.
    void catalogueTakesItsMarkerAndFlags_data()
    {
        addTestTable(u"editor/check-markers.txt"_qs, {"file", "marker", "row", "mark"});
    }
    void catalogueTakesItsMarkerAndFlags()
    {
        const auto [file, marker, row] = fields("file", "marker", "row");
        EditorFixture editor;
        cInifile(EditorSettings::iniPath(), OptionControlState::IniSection).setValue(u"cbouAndXMarker"_qs, marker);
        QVERIFY(editor.open(file));
        QTEST(mark(editor, row.toInt()), "mark");
    }

    void paneShowsFindingsWhileTyping_data()
    {
        addTestTable(u"editor/check-pane.txt"_qs, {"row", "typed", "findings"});
    }
    void paneShowsFindingsWhileTyping()
    {
        const auto [row, typed] = fields("row", "typed");
        EditorFixture editor(u"checks.a.csv"_qs);
        editor.grid().setCursor(row.toInt());
        if (typed != u"-")
            editor.typeTranslation(QString(typed).replace(u"<TAB>"_qs, u"\t"_qs));
        QTEST(label(editor, u"lblFindings"_qs).replace(u'\n', u"\\n"_qs), "findings");
        QVERIFY(!editor.window->isModified());
    }

    // The options switch a check off and on again; the document is checked anew at once,
    // and the length check takes the export's limit.
    void optionsSwitchChecksAndTakeTheExportLimit()
    {
        EditorFixture editor(u"checks.a.csv"_qs);
        const auto exportCondition = [&editor](int condition) {
            QTimer::singleShot(0, editor.window.get(), [condition] {
                QWidget *dialog = QApplication::activeModalWidget();
                dialog->findChild<QComboBox *>(u"cboCondition"_qs)->setCurrentIndex(condition);
                dialog->findChild<QLineEdit *>(u"txtLenLimit"_qs)->setText(u"5"_qs);
                dialog->findChild<QPushButton *>(u"cmdClose"_qs)->click();
            });
            editor.trigger(u"miFExport"_qs);
        };
        const auto options = [&editor](const QString &box, bool on) {
            QString caption;
            QTimer::singleShot(0, editor.window.get(), [&] {
                QWidget *dialog = QApplication::activeModalWidget();
                auto *check = dialog->findChild<QCheckBox *>(box);
                caption = check->text();
                check->setChecked(on);
                dialog->findChild<QPushButton *>(u"cmdOK"_qs)->click();
            });
            editor.trigger(u"miOption"_qs);
            return caption;
        };
        // A limit on translations set in the export dialog counts as soon as the dialog closes.
        exportCondition(ExportOptions::TranslationLonger);
        QCOMPARE(mark(editor, 1), u"译文超过长度限制：11 字节，限制 5 字节"_qs);
        QCOMPARE(options(u"chkCheck_end-punctuation"_qs, false), u"末尾标点"_qs);
        QCOMPARE(mark(editor, 2), QString());
        QCOMPARE(label(editor, u"lblProblems"_qs), u"有问题 2"_qs);
        QCOMPARE(cInifile(EditorSettings::iniPath(), CheckSettings::IniSection).value(u"end-punctuation"_qs), u"0"_qs);
        QCOMPARE(options(u"chkCheck_length"_qs, false), u"长度（上限 5 字节，取自导出）"_qs);
        QCOMPARE(mark(editor, 1), QString());
        QCOMPARE(label(editor, u"lblProblems"_qs), u"有问题 1"_qs);
        exportCondition(ExportOptions::TranslationEqual);
        QCOMPARE(options(u"chkCheck_end-punctuation"_qs, true), u"末尾标点"_qs);
        QCOMPARE(options(u"chkCheck_length"_qs, true), u"长度（导出未设译文长度上限）"_qs);
        QCOMPARE(mark(editor, 1), QString());
        QCOMPARE(mark(editor, 2), u"末尾标点与原文不符：原文是冒号，译文是无"_qs);
        QCOMPARE(label(editor, u"lblProblems"_qs), u"有问题 2"_qs);
    }

    // The document is checked in parts on several threads: every part counts; with every
    // check off nothing is left marked.
    void checksEveryEntryOfALargeDocument()
    {
        SessionFixture fixture;
        QString text;
        constexpr int Entries = 30002;
        for (int i = 1; i <= Entries; ++i)
            text += i % 7 == 0 ? u"已译,%1,Name:,名称\r\n"_qs.arg(i) : u"已译,%1,Name:,名称：\r\n"_qs.arg(i);
        QVERIFY(fixture.session.open(fixture.write(u"large.a.csv"_qs, text)));
        QCOMPARE(fixture.session.checks().entriesWithFindings(), Entries / 7);
        QVERIFY(fixture.session.checks().hasFindings(Entries - 1));
        QVERIFY(!fixture.session.checks().hasFindings(Entries - 2));
        Checker off;
        for (const auto &rule : off.rules())
            off.setEnabled(rule->id(), false);
        CheckSettings::save(EditorSettings::iniPath(), off);
        QVERIFY(fixture.session.open(fixture.path(u"large.a.csv"_qs)));
        QCOMPARE(fixture.session.checks().entriesWithFindings(), 0);
        QVERIFY(!fixture.session.checks().hasFindings(Entries - 1));
    }
};

QTEST_MAIN(EditorChecksTest)
#include "tst_editorchecks.moc"
