#include "AppFolder.h"
#include "ComboHistory.h"
#include "FileDialogs.h"
#include "FormPosition.h"
#include "cInifile.h"
#include "MessageService.h"
#include "TestData.h"
#include "ui/RealFileDialogs.h"

#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QMessageBox>
#include <QTimer>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>
#include <QWidget>

class WidgetHelpersTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    // The real service behind the fakes: a QMessageBox with the asked text, icon and
    // buttons, which answers with the button pressed.
    void messageBoxesAnswerThePressedButton_data()
    {
        QTest::addColumn<MessageService::Buttons>("buttons");
        QTest::addColumn<QMessageBox::StandardButton>("pressed");
        QTest::addColumn<MessageService::Answer>("answer");
        QTest::newRow("OK") << MessageService::Buttons::Ok << QMessageBox::Ok << MessageService::Ok;
        QTest::newRow("Cancel") << MessageService::Buttons::OkCancel << QMessageBox::Cancel << MessageService::Cancel;
        QTest::newRow("Yes") << MessageService::Buttons::YesNoCancel << QMessageBox::Yes << MessageService::Yes;
        QTest::newRow("No") << MessageService::Buttons::YesNoCancel << QMessageBox::No << MessageService::No;
    }
    void messageBoxesAnswerThePressedButton()
    {
        QFETCH(MessageService::Buttons, buttons);
        QFETCH(QMessageBox::StandardButton, pressed);
        QString seen;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = box->text() + u'|' + QString::number(box->icon()) + u'|' + QString::number(box->standardButtons().toInt());
            box->button(pressed)->click();
        });
        QTEST(askUser(nullptr, QStringLiteral("确实要关闭吗？"), buttons, MessageService::Icon::Question), "answer");
        const int expectedButtons = buttons == MessageService::Buttons::Ok ? QMessageBox::Ok
            : buttons == MessageService::Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                         : QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        QCOMPARE(seen, QStringLiteral("确实要关闭吗？|%1|%2").arg(int(QMessageBox::Question)).arg(expectedButtons));
    }

    void convertsFilters_data() { addTestTable(u"ui/name-filters.txt"_qs, {"caption", "patterns", "qt"}); }
    void convertsFilters()
    {
        const auto [caption, patterns, qt] = fields("caption", "patterns", "qt");
        QCOMPARE(qtNameFilter(patterns.isEmpty() ? caption : caption + u'|' + patterns), qt);
    }

    // A dialog title opens where its last file was chosen, at its last size, with columns
    // that fit; an explicit folder wins.
    void remembersFolderAndSizePerTitle()
    {
        AppFolder::set(m_dir.filePath(u"app"_qs));
        setFileDialogSettingsFile(u"Tallyra.ini"_qs);
        const QString folder = m_dir.filePath(QStringLiteral("字典"));
        QVERIFY(QDir().mkpath(folder));
        writeBytes(folder + u"/old.a.txt"_qs, "\r\n1:Open\r\n");
        const FileDialogOptions options{.title = QStringLiteral("选择未译字典")};
        {
            FileDialogRun run(nullptr, options, QFileDialog::AcceptSave);
            run.dialog().resize(700, 450);
            QVERIFY(chooseInRealDialog(nullptr, options, QFileDialog::AcceptSave, folder + u"/new"_qs, 1).accepted);
            QVERIFY(run.finish().filterIndex == 0);
        }
        FileDialogRun again(nullptr, options, QFileDialog::AcceptOpen);
        QCOMPARE(again.dialog().directory().absolutePath(), folder);
        QCOMPARE(again.dialog().size(), QSize(700, 450));
        again.dialog().show();
        auto *tree = again.dialog().findChild<QTreeView *>(u"treeView"_qs);
        const QAbstractItemView *view = tree;
        QTRY_VERIFY(view->model()->rowCount(view->rootIndex()) > 0);
        for (int column = 1; column < tree->header()->count(); ++column)
            QTRY_VERIFY(tree->columnWidth(column) >= view->sizeHintForColumn(column));
        FileDialogRun other(nullptr, {.title = QStringLiteral("选择参照字典")}, QFileDialog::AcceptOpen);
        QCOMPARE(other.dialog().directory().absolutePath(), QDir::homePath());
        FileDialogRun given(nullptr, {.title = options.title, .startFolder = m_dir.path()}, QFileDialog::AcceptOpen);
        QCOMPARE(given.dialog().directory().absolutePath(), m_dir.path());
        FileDialogRun named(nullptr, {.startFolder = m_dir.path(), .fileName = u"x.u.txt"_qs}, QFileDialog::AcceptSave);
        QCOMPARE(named.dialog().selectedFiles().value(0), m_dir.filePath(u"x.u.txt"_qs));
        setFileDialogSettingsFile(QString());
    }

    void bindsHistoriesToDropDowns()
    {
        const QString ini = m_dir.filePath(u"Tallyra.ini"_qs);
        QWidget window;
        window.setObjectName(u"frmMain"_qs);
        auto *combo = new QComboBox(&window);
        combo->setObjectName(u"cboToDo"_qs);
        combo->setEditable(true);
        int textChanges = 0;
        connect(combo, &QComboBox::editTextChanged, this, [&] { ++textChanges; });
        for (int i = 1; i <= 9; ++i)
            AddComboHistory(combo, QStringLiteral("/字典/%1.glo").arg(i));
        QCOMPARE(combo->currentText(), QStringLiteral("/字典/9.glo"));
        QVERIFY(textChanges > 0);
        // A name already listed moves to the top.
        AddComboHistory(combo, QStringLiteral("/字典/5.glo"));
        SaveComboHistory(combo, ini);
        QCOMPARE(cInifile(ini, u"frmMain.cboToDo"_qs).value(u"Count"_qs), u"8"_qs);

        // Loaded into the emptied drop-down as into a new window's.
        combo->clear();
        combo->clearEditText();
        LoadComboHistory(combo, ini);
        QStringList entries;
        for (int i = 0; i < combo->count(); ++i)
            entries.append(combo->itemText(i).mid(4, 1));
        QCOMPARE(entries, (QStringList{u"5"_qs, u"9"_qs, u"8"_qs, u"7"_qs, u"6"_qs, u"4"_qs, u"3"_qs, u"2"_qs}));
        QCOMPARE(combo->currentText(), QString());
    }

    void keepsFormPositions()
    {
        cInifile ini(m_dir.filePath(u"pos.ini"_qs), u"wnd"_qs);
        QWidget window;
        window.setGeometry(40, 50, 300, 200);
        SaveFormPosition(ini, &window);
        QCOMPARE(ini.value(u"Width"_qs), QString::number(300 * TwipsPerPixel));
        QCOMPARE(ini.value(u"Maximised"_qs), u"0"_qs);
        ini.setKey(u"Top"_qs);
        ini.setValue(u"garbage"_qs);
        QWidget other;
        other.setGeometry(10, 70, 100, 100);
        LoadFormPosition(ini, &other, 0, 250);
        QCOMPARE(other.geometry().size(), QSize(300, 250));
        QCOMPARE(other.geometry().y(), 70);
        QCOMPARE(ini.defaultValue(), QString());
    }
};

QTEST_MAIN(WidgetHelpersTest)
#include "tst_widgethelpers.moc"
