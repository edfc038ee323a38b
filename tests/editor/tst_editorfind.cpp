#include "DialogHelpers.h"
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

// Flat rows 1-5 in number order. Grouped: 1 [复查], 2 Opera, 3 [未译], 4 Open, 5 Close, 6 [已译], 7 Open file, 8 open.
const QString Table = u"未译,1,Open,Open\r\n已译,2,Open file,打开文件\r\n已译,3,open,打开\r\n未译,4,Close,Close\r\n"
                      u"复查,5,Opera,歌剧\r\n"_qs;

enum Field { Status, Number, Source, Translation };

struct Search {
    int field = Source;
    QString text;
    bool regex = false;
    bool matchCase = false;
    bool whole = false;
};

}

Q_DECLARE_METATYPE(Search)

namespace {

class FindFixture : public EditorFixture {
public:
    FindFixture()
    {
        if (!openTable(u"find.a.csv"_qs, Table))
            qFatal("document not opened");
        trigger(u"miEFind"_qs);
        dialog = window->findChild<frmFind *>();
        if (!showDialog(*dialog))
            qFatal("find dialog not shown");
    }

    void set(const Search &search) const
    {
        control<QComboBox>(*dialog, u"cboField"_qs)->setCurrentIndex(search.field);
        control<QComboBox>(*dialog, u"cboFind"_qs)->setEditText(search.text);
        control<QRadioButton>(*dialog, search.regex ? u"Option2"_qs : u"Option1"_qs)->setChecked(true);
        control<QCheckBox>(*dialog, u"Check1"_qs)->setChecked(search.matchCase);
        control<QCheckBox>(*dialog, u"Check2"_qs)->setChecked(search.whole);
    }

    void next() const { control<QPushButton>(*dialog, u"cmdNext"_qs)->click(); }

    // Back to the main window, where its shortcuts work.
    bool closeDialog() const
    {
        dialog->close();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    QStringList history() const
    {
        const QComboBox *box = control<QComboBox>(*dialog, u"cboFind"_qs);
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items.append(box->itemText(i));
        return items;
    }

    frmFind *dialog = nullptr;
};

}

class EditorFindTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findsByEachOption_data()
    {
        QTest::addColumn<Search>("search");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("found");
        QTest::addColumn<QString>("message");
        QTest::newRow("beginning") << Search{Source, u"Ope"_qs} << 1 << 2 << QString();
        QTest::newRow("beginning ignores case") << Search{Source, u"open"_qs} << 1 << 2 << QString();
        QTest::newRow("beginning with case") << Search{Source, u"open"_qs, false, true} << 1 << 3 << QString();
        QTest::newRow("whole text") << Search{Source, u"OPEN"_qs, false, false, true} << 1 << 3 << QString();
        QTest::newRow("whole text with case") << Search{Source, u"Ope"_qs, false, true, true} << 0 << 0 << u"找不到"_qs;
        QTest::newRow("regular expression") << Search{Source, u"^Op.*a$"_qs, true} << 1 << 5 << QString();
        QTest::newRow("expression ignores the boxes") << Search{Source, u"^open$"_qs, true, false, true} << 0 << 3 << QString();
        QTest::newRow("status column") << Search{Status, u"复查"_qs} << 1 << 5 << QString();
        QTest::newRow("number column") << Search{Number, u"4"_qs} << 0 << 4 << QString();
        QTest::newRow("translation column") << Search{Translation, u"打开"_qs} << 1 << 2 << QString();
        QTest::newRow("not below the cursor") << Search{Source, u"Open file"_qs} << 2 << 0 << u"找不到"_qs;
        QTest::newRow("malformed expression") << Search{Source, u"(Open"_qs, true} << 1 << 0 << u"查找失败"_qs;
        QTest::newRow("last row: nothing at all") << Search{Source, u"Open"_qs} << 5 << 0 << QString();
    }
    void findsByEachOption()
    {
        QFETCH(Search, search);
        QFETCH(int, cursor);
        QFETCH(int, found);
        QFETCH(QString, message);
        FindFixture find;
        find.grid().setCursor(cursor);
        if (cursor == 0)
            find.window->fg->selectionModel()->clearCurrentIndex();
        find.set(search);
        find.next();
        QCOMPARE(find.grid().row(), found == 0 ? cursor : found);
        QCOMPARE(find.messages.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(find.messages.shown[0].icon,
                     message == u"找不到" ? MessageService::Icon::Information : MessageService::Icon::Critical);
        QCOMPARE(find.history().value(0), search.text);
    }

    // F3 repeats the search without the dialog.
    void continuesAfterEachHit()
    {
        FindFixture find;
        find.grid().setCursor(1);
        find.set({Source, u"Ope"_qs});
        find.next();
        QVERIFY(find.closeDialog());
        QList<int> hits{find.grid().row()};
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(find.window->fg, Qt::Key_F3);
            hits.append(find.grid().row());
        }
        // The last hit is the last row: the search then does nothing at all.
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
        find.set({Status, u"已译"_qs});
        find.next();
        QCOMPARE(find.grid().row(), 6);
        QVERIFY(find.grid().isGroupRow(6));
        find.set({Source, u"open"_qs, false, true});
        find.next();
        QCOMPARE(find.grid().row(), 8);
        QVERIFY(!find.grid().isCollapsed(6));
    }

    void greysTheBoxesForExpressions()
    {
        FindFixture find;
        auto *matchCase = control<QCheckBox>(*find.dialog, u"Check1"_qs);
        auto *whole = control<QCheckBox>(*find.dialog, u"Check2"_qs);
        QVERIFY(control<QRadioButton>(*find.dialog, u"Option1"_qs)->isChecked());
        QVERIFY(!matchCase->isChecked() && !whole->isChecked());
        QCOMPARE(control<QComboBox>(*find.dialog, u"cboField"_qs)->currentText(), u"原文"_qs);
        matchCase->setChecked(true);
        control<QRadioButton>(*find.dialog, u"Option2"_qs)->setChecked(true);
        QVERIFY(!matchCase->isEnabled() && !whole->isEnabled());
        control<QRadioButton>(*find.dialog, u"Option1"_qs)->setChecked(true);
        QVERIFY(matchCase->isEnabled() && whole->isEnabled());
        QVERIFY(matchCase->isChecked() && !whole->isChecked());
    }

    void keepsItsHistory()
    {
        FindFixture find;
        find.grid().setCursor(5);
        for (const QString &text : {u"a"_qs, u"b"_qs, u"a"_qs}) {
            find.set({Source, text});
            find.next();
        }
        QCOMPARE(find.history(), (QStringList{u"a"_qs, u"b"_qs}));
        for (int i = 0; i < 9; ++i) {
            find.set({Source, QString::number(i)});
            find.next();
        }
        QCOMPARE(find.history().size(), FileHistory::MaxEntries);
        QCOMPARE(find.history().first(), u"8"_qs);
        find.dialog->close();

        const std::optional<QStringList> stored = FileHistory::load(EditorSettings::iniPath(), u"frmFind.cboFind"_qs);
        QVERIFY(stored);
        QCOMPARE(stored->first(), u"8"_qs);
        frmFind again(find.window->gridController(), find.window.get());
        QCOMPARE(control<QComboBox>(again, u"cboFind"_qs)->count(), FileHistory::MaxEntries);
    }

    void opensFromTheMenuOnce()
    {
        FindFixture find;
        QVERIFY(find.closeDialog());
        QTRY_VERIFY(!find.window->findChild<frmFind *>());
        QTest::keyClick(find.window->fg, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(find.window->findChildren<frmFind *>().size(), 1);
        frmFind *dialog = find.window->findChildren<frmFind *>().first();
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        find.trigger(u"miEFind"_qs);
        QCOMPARE(find.window->findChildren<frmFind *>(), QList<frmFind *>{dialog});
    }

    void helpButtonAsksForTheManual()
    {
        FindFixture find;
        QSignalSpy help(find.dialog, &frmFind::helpRequested);
        control<QPushButton>(*find.dialog, u"Command1"_qs)->click();
        QCOMPARE(help.size(), 1);
    }
};

QTEST_MAIN(EditorFindTest)
#include "tst_editorfind.moc"
