#include "DialogHelpers.h"
#include "EditorFixture.h"

#include "EditorSettings.h"
#include "cInifile.h"
#include "frmAbout.h"
#include "frmOption.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

namespace {

cInifile optionSection()
{
    return cInifile(EditorSettings::iniPath(), u"OPTION"_qs);
}

}

class EditorDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { EditorSettings::setResetLayoutOnExit(false); }

    void showsTheStoredSaveSetting_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("1") << u"1"_qs << true;
        QTest::newRow("True") << u"True"_qs << true;
        QTest::newRow("0") << u"0"_qs << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("no key") << u"-"_qs << false;
    }
    void showsTheStoredSaveSetting()
    {
        QFETCH(QString, stored);
        QFETCH(bool, ticked);
        EditorFixture editor;
        if (stored != u"-")
            optionSection().setValue(u"NoSaveExtra"_qs, stored);
        frmOption dialog(editor.window.get());
        QCOMPARE(control<QCheckBox>(dialog, u"chkNoSaveExtra"_qs)->isChecked(), ticked);
        QVERIFY(!control<QCheckBox>(dialog, u"chkDeleteLayout"_qs)->isChecked());
    }

    void okStoresAndCancelKeeps_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("reset");
        QTest::newRow("OK") << u"cmdOK"_qs << u"1"_qs << true;
        QTest::newRow("cancel") << u"Command2"_qs << u"0"_qs << false;
    }
    void okStoresAndCancelKeeps()
    {
        QFETCH(QString, button);
        QFETCH(QString, stored);
        QFETCH(bool, reset);
        EditorFixture editor;
        optionSection().setValue(u"NoSaveExtra"_qs, u"0"_qs);
        frmOption dialog(editor.window.get());
        QVERIFY(showDialog(dialog));
        control<QCheckBox>(dialog, u"chkNoSaveExtra"_qs)->setChecked(true);
        control<QCheckBox>(dialog, u"chkDeleteLayout"_qs)->setChecked(true);
        control<QPushButton>(dialog, button)->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(optionSection().value(u"NoSaveExtra"_qs), stored);
        QCOMPARE(EditorSettings::resetLayoutOnExit(), reset);
    }

    // The layout is deleted at the shut-down after the option was chosen; the next run
    // starts with the option off and saves one again.
    void resetLayoutDeletesTheLayoutFileOnce()
    {
        EditorFixture editor;
        editor.window->close();
        QVERIFY(QFile::exists(EditorSettings::layoutPath()));
        EditorSettings::setResetLayoutOnExit(true);
        editor.window = std::make_unique<frmMain>();
        editor.window->close();
        QVERIFY(!QFile::exists(EditorSettings::layoutPath()));
        EditorSettings::setResetLayoutOnExit(false);
        editor.window = std::make_unique<frmMain>();
        editor.window->close();
        QVERIFY(QFile::exists(EditorSettings::layoutPath()));
    }

    void aboutShowsTheVersionAndClosesOnAClick()
    {
        EditorFixture editor;
        frmAbout dialog(editor.window.get());
        QVERIFY(showDialog(dialog));
        const QString version = control<QLabel>(dialog, u"Label3"_qs)->text();
        QVERIFY2(QRegularExpression(u"^版本: \\d+\\.\\d+ \\(β\\d+\\)$"_qs).match(version).hasMatch(), qPrintable(version));
        QCOMPARE(version, u"版本: %1.%2 (β%3)"_qs.arg(PROJECT_VERSION_MAJOR).arg(PROJECT_VERSION_MINOR).arg(PROJECT_VERSION_PATCH));
        QCOMPARE(control<QLabel>(dialog, u"Label2"_qs)->text(), u"2026年12月"_qs);
        auto *image = control<QLabel>(dialog, u"Image1"_qs);
        QVERIFY(!image->pixmap().isNull());
        QTest::mouseClick(image, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
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
        QVERIFY(editor.open(u"d.a.txt"_qs, {u"1:Open"_qs, u"打开"_qs}));
        QString shown;
        QTimer::singleShot(0, [&shown] {
            QWidget *modal = QApplication::activeModalWidget();
            shown = modal->objectName();
            modal->close();
        });
        editor.trigger(tool);
        QCOMPARE(shown, dialog);
    }
};

QTEST_MAIN(EditorDialogsTest)
#include "tst_editordialogs.moc"
