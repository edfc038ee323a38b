#include "AppFolder.h"
#include "ApplicationSetup.h"
#include "ComboHistory.h"
#include "FileDialogs.h"
#include "FormPosition.h"
#include "cInifile.h"
#include "MessageService.h"
#include "ui/PlatformTitle.h"
#include "ui/RealFileDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>
#include <QWidget>

class WidgetHelpersTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void convertsFilters_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one pattern") << QStringLiteral("PASSOLO字典(*.glo)|*.glo") << QStringLiteral("PASSOLO字典(*.glo) (*.glo)");
        QTest::newRow("two patterns") << QStringLiteral("PASSOLO字典/青墨文本(*.glo;*.a.txt;*.u.txt)|*.glo;*.txt")
                                      << QStringLiteral("PASSOLO字典/青墨文本(*.glo;*.a.txt;*.u.txt) (*.glo *.txt)");
        QTest::newRow("no bar") << u"*.ini"_qs << u"*.ini"_qs;
        QTest::newRow("all files, dot or none") << QStringLiteral("所有文件(*.*)|*.*") << QStringLiteral("所有文件(*.*) (*)");
    }
    void convertsFilters()
    {
        QFETCH(QString, entry);
        QFETCH(QString, qt);
        QCOMPARE(qtNameFilter(entry), qt);
    }

    // With the details hidden Qt names the chosen entry by its description alone.
    void readsTheChosenEntryFromARealDialog_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<int>("chosen");
        const QStringList twoLine{QStringLiteral("青墨文本(*.a.txt)|*.txt"), QStringLiteral("青墨文本(*.u.txt)|*.txt")};
        QTest::newRow("save, second entry of one pattern") << false << twoLine << 2;
        QTest::newRow("save, first entry") << false << twoLine << 1;
        QTest::newRow("open, all files")
            << true << QStringList{QStringLiteral("配置文件(*.ini)|*.ini"), QStringLiteral("所有文件(*.*)|*.*")} << 2;
    }
    void readsTheChosenEntryFromARealDialog()
    {
        QFETCH(bool, open);
        QFETCH(QStringList, filters);
        QFETCH(int, chosen);
        const QString file = m_dir.filePath(QStringLiteral("选中"));
        QFile::remove(file);
        if (open)
            QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        const FileDialogChoice choice = chooseInRealDialog(nullptr, {.title = u"title"_qs, .filters = filters},
                                                           open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave,
                                                           file, chosen);
        QVERIFY(choice.accepted);
        QCOMPARE(choice.fileName, file);
        QCOMPARE(choice.filterIndex, chosen);
    }

    // A dialog title opens where its last file was chosen, at its last size; an explicit
    // folder wins.
    void remembersFolderAndSizePerTitle()
    {
        AppFolder::set(m_dir.filePath(u"app"_qs));
        setFileDialogSettingsFile(u"Tallyra.ini"_qs);
        const QString folder = m_dir.filePath(QStringLiteral("字典"));
        QVERIFY(QDir().mkpath(folder));
        const FileDialogOptions options{.title = QStringLiteral("选择未译字典"),
                                        .filters = {QStringLiteral("所有文件(*.*)|*.*")}};
        {
            FileDialogRun run(nullptr, options, QFileDialog::AcceptSave);
            run.dialog().resize(700, 450);
            run.dialog().selectFile(folder + QStringLiteral("/新.glo"));
            static_cast<QDialog &>(run.dialog()).accept();
            QVERIFY(run.finish().accepted);
        }
        FileDialogRun again(nullptr, options, QFileDialog::AcceptOpen);
        QCOMPARE(again.dialog().directory().absolutePath(), folder);
        QCOMPARE(again.dialog().size(), QSize(700, 450));
        FileDialogRun other(nullptr, {.title = QStringLiteral("选择参照字典")}, QFileDialog::AcceptOpen);
        QCOMPARE(other.dialog().directory().absolutePath(), QDir::homePath());
        FileDialogRun given(nullptr, {.title = options.title, .startFolder = m_dir.path()}, QFileDialog::AcceptOpen);
        QCOMPARE(given.dialog().directory().absolutePath(), m_dir.path());
        setFileDialogSettingsFile(QString());
    }

    void fitsTheColumnsToTheFolder()
    {
        QVERIFY(QFile(m_dir.filePath(u"dict.glo"_qs)).open(QIODevice::WriteOnly));
        FileDialogRun run(nullptr, {.title = u"title"_qs, .startFolder = m_dir.path()}, QFileDialog::AcceptOpen);
        run.dialog().show();
        auto *tree = run.dialog().findChild<QTreeView *>(u"treeView"_qs);
        const QAbstractItemView *view = tree;
        QTRY_VERIFY(view->model()->rowCount(view->rootIndex()) > 0);
        for (int column = 1; column < tree->header()->count(); ++column)
            QTRY_VERIFY2(tree->columnWidth(column) >= view->sizeHintForColumn(column), qPrintable(QString::number(column)));
        run.dialog().reject();
    }

    // Qt would append a display name to every title the platform shows.
    void showsTitlesAsGiven()
    {
        setUpApplication(static_cast<QApplication &>(*QCoreApplication::instance()), u"Tallyra"_qs);
        setFileDialogSettingsFile(QString());
        FileDialogRun run(nullptr, {.title = QStringLiteral("选择未译字典")}, QFileDialog::AcceptOpen);
        run.dialog().show();
        QVERIFY(QTest::qWaitForWindowExposed(&run.dialog()));
        QCOMPARE(platformTitle(run.dialog()), QStringLiteral("选择未译字典"));
        run.dialog().reject();
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
        QCOMPARE(combo->count(), 8);
        QCOMPARE(combo->currentText(), QStringLiteral("/字典/9.glo"));
        QVERIFY(textChanges > 0);
        SaveComboHistory(combo, ini);
        QCOMPARE(cInifile(ini, u"frmMain.cboToDo"_qs).value(u"Count"_qs), u"8"_qs);

        QWidget other;
        other.setObjectName(u"frmMain"_qs);
        auto *restored = new QComboBox(&other);
        restored->setObjectName(u"cboToDo"_qs);
        restored->setEditable(true);
        LoadComboHistory(restored, ini);
        QCOMPARE(restored->count(), 8);
        QCOMPARE(restored->itemText(0), QStringLiteral("/字典/9.glo"));
        QCOMPARE(restored->currentText(), QString());
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
