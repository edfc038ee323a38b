#include "FakeServices.h"
#include "TestData.h"
#include "ui/Controls.h"

#include "AppFolder.h"
#include "cInifile.h"
#include "OptionSettings.h"
#include "OptionsFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class OptionsFrameTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    FakeMessages m_messages{MessageService::Ok};
    FakeFileDialogs m_dialogs;

    QString programIni() const { return AppFolder::file(u"Tallyra.ini"_qs); }
    // The settings of the dialog the control opens, one a line: kind, title, filter
    // entries, filter index, default extension.
    static QStringList dialog(const QString &control)
    {
        return QString::fromUtf8(testData(u"processor/dialog-%1.txt"_qs.arg(control))).chopped(1).split(u'\n');
    }
    static void click(OptionsFrame &frame, int preset)
    {
        control<QPushButton>(frame, QStringLiteral("cmdPreset%1").arg(preset))->click();
    }

private Q_SLOTS:
    void initTestCase() { AppFolder::set(m_dir.filePath(u"app"_qs)); }
    void init()
    {
        QFile::remove(programIni());
        m_messages.boxes.clear();
    }

    // A grey check box counts as ticked.
    void enablesDependentControls()
    {
        OptionsFrame frame(u"frmMain"_qs, u"Tallyra.ini"_qs);
        for (const bool ticked : {true, false}) {
            frame.checkBox(u"chkaAndX"_qs)->setCheckState(ticked ? Qt::PartiallyChecked : Qt::Unchecked);
            frame.checkBox(u"chkSaveRefDB"_qs)->setChecked(ticked);
            for (const QString &name : {u"txttAndXBK1"_qs, u"txttAndXBK2"_qs, u"txtrAndXBK1"_qs, u"txtrAndXBK2"_qs,
                                        u"chkrAndXEER"_qs, u"chkNotAddANDX"_qs, u"txtSaveRefDB"_qs, u"optXRefDB"_qs,
                                        u"cbouAndXMarker"_qs, u"cborAndXMarker"_qs})
                QVERIFY2(control(frame, name)->isEnabled() == ticked, qPrintable(name));
        }
    }

    // The three places that touch the length box each show the repaired text; the
    // repairs themselves are the option record's.
    void validatesTheLengthLimit_data()
    {
        addTestTable(u"processor/length-limits.txt"_qs, {"text", "used", "written"});
    }
    void validatesTheLengthLimit()
    {
        const auto [text, used, written] = fields("text", "used", "written");
        OptionsFrame frame(u"frmMain"_qs, u"Tallyra.ini"_qs);
        QLineEdit *box = frame.textBox(u"txtLenLimit"_qs);
        const auto ini = [this] { return cInifile(programIni(), OptionControlState::IniSection); };

        box->setText(text);
        QCOMPARE(QString::number(frame.CfgSaveCtrlToVar().txtLenLimit), used);
        QCOMPARE(box->text(), used);

        box->setText(text);
        frame.CfgSaveCtrlToIni();
        QCOMPARE(ini().value(u"txtLenLimit"_qs), written);
        QCOMPARE(box->text(), written);

        ini().setValue(u"txtLenLimit"_qs, text);
        frame.CfgLoadIniToCtrl();
        QCOMPARE(box->text(), written);
        QCOMPARE(ini().value(u"txtLenLimit"_qs), written);
        QVERIFY(m_messages.boxes.isEmpty());
    }

    // The preset buttons and the preset file change the options and leave the job's own
    // settings alone.
    void presetsKeepTheJobSettings()
    {
        OptionsFrame frame(u"frmMain"_qs, u"Tallyra.ini"_qs);
        click(frame, 1);
        QCOMPARE(frame.textBox(u"txtLenLimit"_qs)->text(), u"50"_qs);
        frame.checkBox(u"chkaMTab"_qs)->setChecked(true);
        frame.checkBox(u"chkNotAddANDX"_qs)->setCheckState(Qt::PartiallyChecked);
        frame.textBox(u"txttAndXBK1"_qs)->setText(QStringLiteral("【"));
        control<QComboBox>(frame, u"cbouAndXMarker"_qs)->setCurrentText(u"_"_qs);

        const QString typed = m_dir.filePath(QStringLiteral("我的配置"));
        m_dialogs.prepare(typed);
        click(frame, 3);
        QCOMPARE(m_dialogs.shown(), dialog(u"cmdPreset3"_qs));
        cInifile preset(typed + u".ini"_qs, OptionControlState::IniSection);
        QCOMPARE(preset.value(u"chkaMTab"_qs), u"1"_qs);
        QCOMPARE(preset.value(u"chkNotAddANDX"_qs), u"2"_qs);
        QVERIFY(!QFile::exists(programIni()));

        OptionsFrame other(u"frmMain"_qs, u"Tallyra.ini"_qs);
        other.checkBox(u"chkSaveRefDB"_qs)->setChecked(true);
        other.checkBox(u"chkaKeepTmpFile"_qs)->setChecked(true);
        other.textBox(u"txtSaveRefDB"_qs)->setText(u"/d/ref.db"_qs);
        click(other, 0);
        QCOMPARE(other.textBox(u"txtLenLimit"_qs)->text(), u"999999999"_qs);
        QCOMPARE(other.textBox(u"txtSaveRefDB"_qs)->text(), u"/d/ref.db"_qs);
        m_dialogs.prepare(typed + u".ini"_qs);
        click(other, 2);
        QCOMPARE(m_dialogs.shown(), dialog(u"cmdPreset2"_qs));
        for (const OptionDescriptor &option : processingOptionDeclarations()) {
            if (!option.saved)
                continue;
            if (option.control == OptionDescriptor::Control::CheckBox)
                QVERIFY2(other.checkBox(option.name)->checkState() == frame.checkBox(option.name)->checkState(),
                         qPrintable(option.name));
            else if (option.control == OptionDescriptor::Control::DropDown)
                QCOMPARE(control<QComboBox>(other, option.name)->currentText(),
                         control<QComboBox>(frame, option.name)->currentText());
            else
                QCOMPARE(other.textBox(option.name)->text(), frame.textBox(option.name)->text());
        }
        // The markers are the files' own: the presets leave them.
        click(other, 1);
        QCOMPARE(other.CfgSaveCtrlToVar().todoMarker, u'_');
        QVERIFY(other.checkBox(u"chkSaveRefDB"_qs)->isChecked() && other.checkBox(u"chkaKeepTmpFile"_qs)->isChecked());
        QVERIFY(m_messages.boxes.isEmpty());
    }

    void namesThePresetFile_data() { addTestTable(u"processor/preset-names.txt"_qs, {"typed", "saved"}); }
    void namesThePresetFile()
    {
        const auto [typed, saved] = fields("typed", "saved");
        QTemporaryDir folder;
        OptionsFrame frame(u"frmMain"_qs, u"Tallyra.ini"_qs);
        m_dialogs.prepare(typed.isEmpty() ? typed : folder.filePath(typed));
        click(frame, 3);
        const QStringList written = QDir(folder.path()).entryList(QDir::Files);
        QCOMPARE(written, saved.isEmpty() ? QStringList() : QStringList{saved});
    }

    void choosesTheDatabaseFile_data() { addTestTable(u"processor/database-files.txt"_qs, {"chosen", "shown"}); }
    void choosesTheDatabaseFile()
    {
        const auto [chosen, shown] = fields("chosen", "shown");
        OptionsFrame frame(u"frmMain"_qs, u"Tallyra.ini"_qs);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.checkBox(u"chkSaveRefDB"_qs)->setChecked(true);
        frame.textBox(u"txtSaveRefDB"_qs)->setText(u"/old.db"_qs);
        m_dialogs.prepare(chosen.isEmpty() ? chosen : m_dir.filePath(chosen));
        control<QPushButton>(frame, u"optXRefDB"_qs)->click();
        QCOMPARE(m_dialogs.shown(), dialog(u"optXRefDB"_qs));
        QCOMPARE(frame.textBox(u"txtSaveRefDB"_qs)->text(), QDir(m_dir.path()).filePath(shown));
        QCOMPARE(frame.focusWidget(), frame.textBox(u"txtSaveRefDB"_qs));
    }

    // Column by column through the check boxes, then row by row, as the frame was drawn by hand.
    void tabsThroughTheControlsInOrder()
    {
        OptionsFrame frame(u"frmMain"_qs, u"Tallyra.ini"_qs);
        QStringList order;
        for (QWidget *next = frame.nextInFocusChain(); next != &frame; next = next->nextInFocusChain()) {
            if (next->focusPolicy() & Qt::TabFocus)
                order << next->objectName();
        }
        QCOMPARE(order, QString::fromUtf8(testData(u"processor/option-tab-order.txt"_qs)).split(u'\n', Qt::SkipEmptyParts));
    }

    // A one-character drop-down declared beside a check box that enables it: the presets
    // choose, the record and the INI form take the choice, and a stored text that is no
    // choice leaves it.
    void keepsADeclaredDropDown_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("a choice") << u"&"_qs << u"&"_qs;
        QTest::newRow("no choice") << u"x"_qs << u"~"_qs;
        QTest::newRow("empty") << QString() << u"~"_qs;
    }
    void keepsADeclaredDropDown()
    {
        QFETCH(QString, stored);
        using Control = OptionDescriptor::Control;
        const OptionDescriptor options[] = {
            {.name = u"chkaAndX"_qs, .field = &ProcessingOptions::chkaAndX, .control = Control::CheckBox,
             .caption = u"[两者]处理带有&&X的原文或译文"_qs, .full = u"1"_qs, .minimal = u"0"_qs},
            {.name = u"cboMarker"_qs, .field = &ProcessingOptions::txttAndXBK1, .control = Control::DropDown,
             .caption = u"[已译]标记:"_qs, .full = u"&"_qs, .minimal = u"_"_qs, .area = OptionDescriptor::Area::Rows,
             .column = 1, .enabledBy = u"chkaAndX"_qs, .choices = {u"&"_qs, u"_"_qs, u"~"_qs}},
        };
        OptionsFrame frame(u"frmMain"_qs, u"Tallyra.ini"_qs, nullptr, options);
        auto *marker = control<QComboBox>(frame, u"cboMarker"_qs);
        QCOMPARE(marker->count(), 3);
        click(frame, 0);
        QCOMPARE(marker->currentText(), u"&"_qs);
        QVERIFY(marker->isEnabled());
        click(frame, 1);
        QCOMPARE(marker->currentText(), u"_"_qs);
        QVERIFY(!marker->isEnabled());
        marker->setCurrentText(u"~"_qs);
        QCOMPARE(frame.CfgSaveCtrlToVar().txttAndXBK1, u"~"_qs);
        frame.CfgSaveCtrlToIni();
        cInifile ini(programIni(), OptionControlState::IniSection);
        QCOMPARE(ini.value(u"cboMarker"_qs), u"~"_qs);
        ini.setValue(u"cboMarker"_qs, stored);
        frame.CfgLoadIniToCtrl();
        QTEST(marker->currentText(), "loaded");
    }

    // A state the check box cannot take stops the loading there; what came before stays.
    // A save that fails is reported as well; both boxes name the frame's form.
    void reportsErrorsUnderItsForm_data() { addTestTable(u"processor/bad-state-forms.txt"_qs, {"form"}); }
    void reportsErrorsUnderItsForm()
    {
        QFETCH(QString, form);
        QVERIFY(QFile::copy(testDataPath(u"processor/bad-state.ini"_qs), programIni()));
        OptionsFrame frame(form, u"Tallyra.ini"_qs);
        frame.CfgLoadMaxToCtrl();
        frame.CfgLoadIniToCtrl();
        QTRY_COMPARE(m_messages.texts(),
                     QStringList{QStringLiteral("错误:380\r\n无效属性值\r\n源代码位置: Form '%1' -> 'CfgLoadIniToCtrl'").arg(form)});
        QCOMPARE(m_messages.boxes[0].icon, MessageService::Icon::Critical);
        QVERIFY(!frame.checkBox(u"chkaAndX"_qs)->isChecked());
        QVERIFY(frame.checkBox(u"chkaMTab"_qs)->isChecked());
        QVERIFY(frame.checkBox(u"chkaRTrimSpace"_qs)->isChecked());

        frame.CfgSaveCtrlToIni(m_dir.path());
        QCOMPARE(m_messages.boxes.size(), 2);
        QVERIFY(m_messages.boxes[1].text.startsWith(u"错误:75\r\n"_qs));
        QVERIFY(m_messages.boxes[1].text.endsWith(u"\r\n源代码位置: Form '%1' -> 'CfgSaveCtrlToIni'"_qs.arg(form)));
    }
};

QTEST_MAIN(OptionsFrameTest)
#include "tst_optionsframe.moc"
