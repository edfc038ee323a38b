#include "EditorFixture.h"

#include "EditorSettings.h"
#include "FileHistory.h"
#include "frmFind.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

// The entries of the column box.
enum Column { ByStatus, ByNumber, BySource, ByTranslation };

// find.a.csv: flat rows 1-5 in number order. Grouped: 1 [复查], 2 Opera, 3 [未译], 4 Open,
// 5 Close, 6 [已译], 7 Open file, 8 open.
class FindFixture : public EditorFixture {
public:
    FindFixture()
    {
        if (!open(u"find.a.csv"_qs))
            qFatal("document not opened");
        trigger(u"miEFind"_qs);
        dialog = window->findChild<frmFind *>();
        if (!showDialog(*dialog))
            qFatal("find dialog not shown");
    }

    template <typename T>
    T *find(const QString &name) const { return control<T>(*dialog, name); }

    // The column by its index, the text, and "regex", "case" and "whole" among the options.
    void search(int column, const QString &text, const QString &options = QString()) const
    {
        find<QComboBox>(u"cboField"_qs)->setCurrentIndex(column);
        find<QComboBox>(u"cboFind"_qs)->setEditText(text);
        find<QRadioButton>(options.contains(u"regex") ? u"Option2"_qs : u"Option1"_qs)->setChecked(true);
        find<QCheckBox>(u"Check1"_qs)->setChecked(options.contains(u"case"));
        find<QCheckBox>(u"Check2"_qs)->setChecked(options.contains(u"whole"));
        find<QPushButton>(u"cmdNext"_qs)->click();
    }

    // Back to the main window, where its shortcuts work.
    bool closeDialog() const
    {
        dialog->close();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    QString history(int index) const { return find<QComboBox>(u"cboFind"_qs)->itemText(index); }

    frmFind *dialog = nullptr;
};

}

class EditorFindTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsByEachOption_data()
    {
        addTestTable(u"editor/find-cases.txt"_qs, {"column", "text", "options", "cursor", "found", "message"});
    }
    void findsByEachOption()
    {
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(QString, options);
        QFETCH(QString, cursor);
        QFETCH(QString, message);
        FindFixture find;
        find.grid().setCursor(cursor.toInt());
        if (cursor == u"0")
            find.window->fg->selectionModel()->clearCurrentIndex();
        find.search(column.toInt(), text, options);
        QTEST(QString::number(find.grid().row()), "found");
        QCOMPARE(find.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(find.messages.shown[0].icon,
                     message == u"找不到" ? MessageService::Icon::Information : MessageService::Icon::Critical);
        QCOMPARE(find.history(0), text);
    }

    // F3 repeats the search without the dialog; after the last row it does nothing at all.
    void continuesAfterEachHit()
    {
        FindFixture find;
        find.grid().setCursor(1);
        find.search(BySource, u"Ope"_qs);
        QVERIFY(find.closeDialog());
        QList<int> hits{find.grid().row()};
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(find.window->fg, Qt::Key_F3);
            hits.append(find.grid().row());
        }
        QCOMPARE(hits, (QList<int>{2, 3, 5, 5}));
        QVERIFY(find.messages.shown.isEmpty());
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

    void greysTheBoxesForExpressions()
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
    }

    void keepsItsHistory()
    {
        FindFixture find;
        find.grid().setCursor(5);
        for (const QString &text : {u"a"_qs, u"b"_qs, u"a"_qs})
            find.search(BySource, text);
        QCOMPARE(find.find<QComboBox>(u"cboFind"_qs)->count(), 2);
        QCOMPARE(find.history(1), u"b"_qs);
        find.dialog->close();
        QCOMPARE(FileHistory::load(EditorSettings::iniPath(), u"frmFind.cboFind"_qs).value_or(QStringList()),
                 (QStringList{u"a"_qs, u"b"_qs}));
        frmFind again(find.window->gridController(), find.window.get());
        QCOMPARE(control<QComboBox>(again, u"cboFind"_qs)->count(), 2);
    }

    void opensFromTheMenuOnce()
    {
        FindFixture find;
        QVERIFY(find.closeDialog());
        QTRY_VERIFY(!find.window->findChild<frmFind *>());
        QTest::keyClick(find.window->fg, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(find.window->findChildren<frmFind *>().size(), 1);
        frmFind *dialog = find.window->findChild<frmFind *>();
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        find.trigger(u"miEFind"_qs);
        QCOMPARE(find.window->findChildren<frmFind *>(), QList<frmFind *>{dialog});
    }

    void helpButtonAsksForTheManual()
    {
        FindFixture find;
        QSignalSpy help(find.dialog, &frmFind::helpRequested);
        find.find<QPushButton>(u"Command1"_qs)->click();
        QCOMPARE(help.size(), 1);
    }
};

QTEST_MAIN(EditorFindTest)
#include "tst_editorfind.moc"
