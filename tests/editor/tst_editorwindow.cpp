#include "EditorFixture.h"

#include "EditorSettings.h"
#include "cInifile.h"
#include "frmAbout.h"
#include "frmOption.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

cInifile iniSection(const QString &section)
{
    return cInifile(EditorSettings::iniPath(), section);
}

}

class EditorWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { EditorSettings::setResetLayoutOnExit(false); }

    void keepsThePositionInTwips()
    {
        EditorFixture editor;
        editor.window->setGeometry(100, 80, 700, 500);
        QVERIFY(editor.window->close());
        cInifile ini = iniSection(u"wndsize"_qs);
        QCOMPARE(ini.value(u"width"_qs), QString::number(editor.window->width() * 15));
        QCOMPARE(ini.value(u"state"_qs), u"0"_qs);

        ini.setValue(u"left"_qs, u"1500"_qs);
        ini.setValue(u"top"_qs, u"garbage"_qs);
        ini.setValue(u"width"_qs, u"9000"_qs);
        frmMain restored;
        QCOMPARE(restored.x(), 100);
        QVERIFY(restored.width() != 9000 / 15);
    }

    void maximisedWindowWritesOnlyItsState()
    {
        EditorFixture editor;
        cInifile ini = iniSection(u"wndsize"_qs);
        for (const QString &key : {u"left"_qs, u"top"_qs, u"width"_qs, u"height"_qs})
            ini.setValue(key, u"1515"_qs);
        editor.window->showMaximized();
        QVERIFY(editor.window->close());
        QCOMPARE(ini.value(u"state"_qs), u"2"_qs);
        QCOMPARE(ini.value(u"left"_qs), u"1515"_qs);
        frmMain restored;
        QVERIFY(restored.windowState() & Qt::WindowMaximized);
    }

    // The layout is deleted at the shut-down after the option was chosen; the next run
    // starts with the option off and saves one again.
    void keepsOrResetsTheLayout()
    {
        EditorFixture editor;
        editor.window->removeDockWidget(&editor.pane());
        editor.window->addDockWidget(Qt::RightDockWidgetArea, &editor.pane());
        QVERIFY(editor.window->close());
        editor.window = std::make_unique<frmMain>();
        QCOMPARE(editor.window->dockWidgetArea(&editor.pane()), Qt::RightDockWidgetArea);
        EditorSettings::setResetLayoutOnExit(true);
        QVERIFY(editor.window->close());
        QVERIFY(!QFile::exists(EditorSettings::layoutPath()));
        EditorSettings::setResetLayoutOnExit(false);
        editor.window = std::make_unique<frmMain>();
        QCOMPARE(editor.window->dockWidgetArea(&editor.pane()), Qt::BottomDockWidgetArea);
        editor.window->close();
        QVERIFY(QFile::exists(EditorSettings::layoutPath()));
    }

    void paneComesBackFromTheViewMenu()
    {
        EditorFixture editor;
        editor.pane().close();
        editor.trigger(u"miVEditPane"_qs);
        QVERIFY(editor.pane().isVisible());
    }

    void closingAsksAboutChanges_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("cancel stays") << int(MessageService::Cancel) << false;
        QTest::newRow("no closes") << int(MessageService::No) << true;
    }
    void closingAsksAboutChanges()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        EditorFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs));
        editor.typeTranslation(u"开"_qs);
        editor.messages.answers = {answer};
        QCOMPARE(editor.window->close(), closed);
        QCOMPARE(editor.messages.texts(), QStringList{u"当前打开的文件已经被更改，想要保存文件吗？"_qs});
        QCOMPARE(editor.window->windowTitle(), u"*sample.a.txt - Quillet"_qs);
    }

    void reportsMissingCompanionPrograms_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("message");
        QTest::newRow("processor") << u"miTallyra"_qs << u"无法启动字典处理程序:"_qs;
        QTest::newRow("manual") << u"miHContent"_qs << u"无法打开使用说明:"_qs;
    }
    void reportsMissingCompanionPrograms()
    {
        QFETCH(QString, tool);
        QFETCH(QString, message);
        EditorFixture editor;
        editor.trigger(tool);
        QCOMPARE(editor.messages.shown.size(), 1);
        QVERIFY(editor.messages.texts()[0].startsWith(message));
    }

    void commandsOpenTheirDialogsModally_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("options") << u"miOption"_qs << u"frmOption"_qs;
        QTest::newRow("about") << u"miHAbout"_qs << u"frmAbout"_qs;
        QTest::newRow("import") << u"miFImport"_qs << u"frmImport"_qs;
        QTest::newRow("export") << u"miFExport"_qs << u"frmExport"_qs;
    }
    void commandsOpenTheirDialogsModally()
    {
        QFETCH(QString, tool);
        QFETCH(QString, dialog);
        EditorFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs));
        QString shown;
        QTimer::singleShot(0, [&shown] {
            QWidget *modal = QApplication::activeModalWidget();
            shown = modal->objectName();
            modal->close();
        });
        editor.trigger(tool);
        QCOMPARE(shown, dialog);
    }

    void optionsShowTheStoredSaveSetting_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("1") << u"1"_qs << true;
        QTest::newRow("True") << u"True"_qs << true;
        QTest::newRow("0") << u"0"_qs << false;
        QTest::newRow("no key") << QString() << false;
    }
    void optionsShowTheStoredSaveSetting()
    {
        QFETCH(QString, stored);
        QFETCH(bool, ticked);
        EditorFixture editor;
        if (!stored.isNull())
            iniSection(u"OPTION"_qs).setValue(u"NoSaveExtra"_qs, stored);
        frmOption dialog(editor.window.get());
        QCOMPARE(control<QCheckBox>(dialog, u"chkNoSaveExtra"_qs)->isChecked(), ticked);
        QVERIFY(!control<QCheckBox>(dialog, u"chkDeleteLayout"_qs)->isChecked());
    }

    void optionsOkStoresAndCancelKeeps_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("reset");
        QTest::newRow("OK") << u"cmdOK"_qs << u"1"_qs << true;
        QTest::newRow("cancel") << u"Command2"_qs << u"0"_qs << false;
    }
    void optionsOkStoresAndCancelKeeps()
    {
        QFETCH(QString, button);
        QFETCH(QString, stored);
        QFETCH(bool, reset);
        EditorFixture editor;
        iniSection(u"OPTION"_qs).setValue(u"NoSaveExtra"_qs, u"0"_qs);
        frmOption dialog(editor.window.get());
        QVERIFY(showDialog(dialog));
        control<QCheckBox>(dialog, u"chkNoSaveExtra"_qs)->setChecked(true);
        control<QCheckBox>(dialog, u"chkDeleteLayout"_qs)->setChecked(true);
        control<QPushButton>(dialog, button)->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(iniSection(u"OPTION"_qs).value(u"NoSaveExtra"_qs), stored);
        QCOMPARE(EditorSettings::resetLayoutOnExit(), reset);
    }

    void aboutShowsTheVersionAndClosesOnAClick()
    {
        EditorFixture editor;
        frmAbout dialog(editor.window.get());
        QVERIFY(showDialog(dialog));
        QCOMPARE(control<QLabel>(dialog, u"Label3"_qs)->text(),
                 u"版本: %1.%2 (β%3)"_qs.arg(PROJECT_VERSION_MAJOR).arg(PROJECT_VERSION_MINOR).arg(PROJECT_VERSION_PATCH));
        auto *image = control<QLabel>(dialog, u"Image1"_qs);
        QVERIFY(!image->pixmap().isNull());
        QTest::mouseClick(image, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(EditorWindowTest)
#include "tst_editorwindow.moc"
