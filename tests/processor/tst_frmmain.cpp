#include "processor/FakeServices.h"

#include "AppFolder.h"
#include "ApplicationSetup.h"
#include "cInifile.h"
#include "OptionsFrame.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

// The title the X server holds (the Xvfb run); elsewhere the window's own title.
QString platformTitle(const QWidget &window)
{
    if (QGuiApplication::platformName() != u"xcb")
        return window.windowTitle();
    QProcess xprop;
    xprop.start(u"xprop"_qs, {u"-id"_qs, QString::number(window.winId()), u"_NET_WM_NAME"_qs});
    xprop.waitForFinished();
    // _NET_WM_NAME(UTF8_STRING) = "title"
    const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    return line.mid(line.indexOf(u'"') + 1).chopped(1);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

}

class FrmMainTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    FakeMessages m_messages;
    FakeFileDialogs m_dialogs;
    QList<QUrl> m_openedUrls;

    QString programIni() const { return AppFolder::file(u"Tallyra.ini"_qs); }
    // A file in the test's folders "d" and "字典", where a dialog can choose it.
    QString at(const QString &name) const { return m_dir.filePath(name); }

    static std::unique_ptr<frmMain> shownWindow()
    {
        auto window = std::make_unique<frmMain>();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("window not exposed");
        return window;
    }
    template <typename T>
    static T *control(const frmMain &window, const QString &name)
    {
        T *found = window.findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    static QComboBox *combo(const frmMain &window, const QString &name) { return control<QComboBox>(window, name); }
    static QStringList entries(const QComboBox *box)
    {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list.append(box->itemText(i));
        return list;
    }

public Q_SLOTS:
    void openUrl(const QUrl &url) { m_openedUrls.append(url); }

private Q_SLOTS:
    void initTestCase()
    {
        AppFolder::set(m_dir.filePath(u"app"_qs));
        QVERIFY(QDir(m_dir.path()).mkpath(u"d"_qs) && QDir(m_dir.path()).mkpath(QStringLiteral("字典")));
        QDesktopServices::setUrlHandler(u"file"_qs, this, "openUrl");
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(u"file"_qs); }
    void init()
    {
        QFile::remove(programIni());
        m_messages.boxes.clear();
        m_messages.answer = MessageService::Ok;
        m_openedUrls.clear();
    }

    // The full preset is the default that the program's INI file overrides.
    void loadsPresetThenIniFile_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("upperCase");
        QTest::addColumn<bool>("andX");
        QTest::addColumn<QString>("lenLimit");
        QTest::addColumn<QString>("databasePath");
        QTest::newRow("no INI file: the limit is repaired to 50")
            << QByteArray() << false << true << u"50"_qs << QString();
        QTest::newRow("INI overrides")
            << QByteArray("[TallyraCustomSetting]\r\nchkaUpperCase=1\r\nchkaAndX=0\r\ntxtLenLimit=300\r\n"
                          "txtSaveRefDB=/d/ref.db\r\n")
            << true << false << u"300"_qs << u"/d/ref.db"_qs;
    }
    void loadsPresetThenIniFile()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, upperCase);
        QFETCH(bool, andX);
        QFETCH(QString, lenLimit);
        QFETCH(QString, databasePath);
        if (!ini.isEmpty())
            writeFile(programIni(), ini);
        const auto window = shownWindow();
        OptionsFrame *options = window->options();
        QVERIFY(control<QCheckBox>(*window, u"chkAdvMode"_qs)->isChecked());
        QVERIFY(options->isVisible());
        QCOMPARE(options->checkBox(u"chkaUpperCase"_qs)->isChecked(), upperCase);
        QCOMPARE(options->checkBox(u"chkaAndX"_qs)->isChecked(), andX);
        QCOMPARE(options->textBox(u"txttAndXBK1"_qs)->isEnabled(), andX);
        QVERIFY(options->checkBox(u"chkrQuanSenHao"_qs)->isChecked());
        QCOMPARE(options->textBox(u"txtrAndXBK1"_qs)->text(), u"(?:\\(|\\[|\\<|\\{)"_qs);
        QCOMPARE(options->textBox(u"txtLenLimit"_qs)->text(), lenLimit);
        QCOMPARE(options->textBox(u"txtSaveRefDB"_qs)->text(), databasePath);
        QVERIFY(!options->checkBox(u"chkSaveRefDB"_qs)->isChecked());
        QVERIFY(!options->textBox(u"txtSaveRefDB"_qs)->isEnabled());
        QVERIFY(!control<QPushButton>(*window, u"optXRefDB"_qs)->isEnabled());
        QVERIFY(!control<QPushButton>(*window, u"cmdStart"_qs)->isEnabled());
        QVERIFY(m_messages.boxes.isEmpty());
    }

    void enablesStartWithThreeFiles_data()
    {
        QTest::addColumn<QString>("todo");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("all three") << u"a.glo"_qs << u"r.glo"_qs << u"o.glo"_qs << true;
        QTest::newRow("no to-do") << QString() << u"r.glo"_qs << u"o.glo"_qs << false;
        QTest::newRow("no reference") << u"a.glo"_qs << QString() << u"o.glo"_qs << false;
        QTest::newRow("no output") << u"a.glo"_qs << u"r.glo"_qs << QString() << false;
        QTest::newRow("a blank counts") << u" "_qs << u"r.glo"_qs << u"o.glo"_qs << true;
    }
    void enablesStartWithThreeFiles()
    {
        QFETCH(QString, todo);
        QFETCH(QString, reference);
        QFETCH(QString, output);
        QFETCH(bool, enabled);
        frmMain window;
        auto *start = control<QPushButton>(window, u"cmdStart"_qs);
        for (const QString &name : {u"cboToDo"_qs, u"cboRefer"_qs, u"cboFinal"_qs})
            combo(window, name)->setEditText(u"x"_qs);
        QVERIFY(start->isEnabled());
        combo(window, u"cboToDo"_qs)->setEditText(todo);
        combo(window, u"cboRefer"_qs)->setEditText(reference);
        combo(window, u"cboFinal"_qs)->setEditText(output);
        QCOMPARE(start->isEnabled(), enabled);
        // A choice from the list counts as well.
        QComboBox *last = combo(window, u"cboFinal"_qs);
        last->addItem(u"chosen.glo"_qs);
        last->setCurrentIndex(last->count() - 1);
        QCOMPARE(start->isEnabled(), !todo.isEmpty() && !reference.isEmpty());
    }

    void choosesFilesThroughTheDialogs_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<int>("filterIndex");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("chosenFilter");
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("shown");
        const QString dictionaries = QStringLiteral("PASSOLO字典/青墨文本(*.glo;*.a.txt;*.u.txt)|*.glo;*.txt");
        const QString glossary = QStringLiteral("PASSOLO字典(*.glo)|*.glo");
        const QString twoLine = QStringLiteral("青墨文本(*.a.txt;*.u.txt)|*.txt");
        const QStringList outputs{QStringLiteral("文本格式文件(*.txt)|*.txt"), glossary};
        QTest::newRow("to-do") << u"cmdOpen0"_qs << u"open"_qs << QStringLiteral("选择未译字典")
                               << QStringList{dictionaries, glossary, twoLine} << 1
                               << at(QStringLiteral("字典/未译.glo")) << 1 << u"cboToDo"_qs << at(QStringLiteral("字典/未译.glo"));
        QTest::newRow("reference")
            << u"cmdOpen1"_qs << u"open"_qs << QStringLiteral("选择参照字典")
            << QStringList{dictionaries, QStringLiteral("已净化数据库(*.db)|*.db"), glossary, twoLine} << 1
            << at(u"d/ref.db"_qs) << 2 << u"cboRefer"_qs << at(u"d/ref.db"_qs);
        QTest::newRow("output, text entry") << u"cmdSave"_qs << u"save"_qs << QStringLiteral("选择已译字典的保存文件")
                                            << outputs << 0 << at(u"d/out"_qs) << 1 << u"cboFinal"_qs << at(u"d/out.txt"_qs);
        QTest::newRow("output, glossary entry") << u"cmdSave"_qs << u"save"_qs << QStringLiteral("选择已译字典的保存文件")
                                                << outputs << 0 << at(u"d/out"_qs) << 2 << u"cboFinal"_qs << at(u"d/out.glo"_qs);
        QTest::newRow("output keeps .GLO") << u"cmdSave"_qs << u"save"_qs << QStringLiteral("选择已译字典的保存文件")
                                           << outputs << 0 << at(u"d/OUT.GLO"_qs) << 1 << u"cboFinal"_qs << at(u"d/OUT.GLO"_qs);
        QTest::newRow("output keeps .txt") << u"cmdSave"_qs << u"save"_qs << QStringLiteral("选择已译字典的保存文件")
                                           << outputs << 0 << at(u"d/o.u.txt"_qs) << 2 << u"cboFinal"_qs << at(u"d/o.u.txt"_qs);
        QTest::newRow("output, other extension") << u"cmdSave"_qs << u"save"_qs << QStringLiteral("选择已译字典的保存文件")
                                                 << outputs << 0 << at(u"d/o.csv"_qs) << 1 << u"cboFinal"_qs
                                                 << at(u"d/o.csv.txt"_qs);
        QTest::newRow("cancelled") << u"cmdOpen0"_qs << u"open"_qs << QStringLiteral("选择未译字典")
                                   << QStringList{dictionaries, glossary, twoLine} << 1 << QString() << -1
                                   << u"cboToDo"_qs << QString();
    }
    void choosesFilesThroughTheDialogs()
    {
        QFETCH(QString, button);
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(QStringList, filters);
        QFETCH(int, filterIndex);
        QFETCH(QString, chosen);
        QFETCH(int, chosenFilter);
        QFETCH(QString, combo);
        QFETCH(QString, shown);
        frmMain window;
        m_dialogs.prepare(chosen, chosenFilter);
        control<QPushButton>(window, button)->click();
        QCOMPARE(m_dialogs.kind, kind);
        QCOMPARE(m_dialogs.shown.title, title);
        QCOMPARE(m_dialogs.shown.filters, filters);
        QCOMPARE(m_dialogs.shown.filterIndex, filterIndex);
        QCOMPARE(m_dialogs.shown.defaultExtension, QString());
        QComboBox *box = FrmMainTest::combo(window, combo);
        QCOMPARE(box->currentText(), shown);
        QCOMPARE(entries(box), shown.isEmpty() ? QStringList() : QStringList{shown});
    }

    // Eight entries, most recent first, a chosen entry moves up; kept in the INI file.
    void keepsTheFileHistories()
    {
        QStringList expected;
        {
            const auto window = shownWindow();
            for (int i = 1; i <= 10; ++i) {
                m_dialogs.prepare(at(QStringLiteral("字典/%1.glo")).arg(i));
                control<QPushButton>(*window, u"cmdOpen1"_qs)->click();
            }
            m_dialogs.prepare(at(u"字典/5.glo"_qs));
            control<QPushButton>(*window, u"cmdOpen1"_qs)->click();
            expected = QStringList{at(u"字典/5.glo"_qs), at(u"字典/10.glo"_qs), at(u"字典/9.glo"_qs), at(u"字典/8.glo"_qs),
                                   at(u"字典/7.glo"_qs), at(u"字典/6.glo"_qs), at(u"字典/4.glo"_qs), at(u"字典/3.glo"_qs)};
            QCOMPARE(entries(combo(*window, u"cboRefer"_qs)), expected);
            control<QPushButton>(*window, u"cmdClose"_qs)->click();
            QVERIFY(!window->isVisible());
        }
        cInifile ini(programIni(), u"frmMain.cboRefer"_qs);
        QCOMPARE(ini.value(u"Count"_qs), u"8"_qs);
        QCOMPARE(ini.value(u"Item0"_qs), at(u"字典/5.glo"_qs));
        QCOMPARE(ini.value(u"Item7"_qs), at(u"字典/3.glo"_qs));
        QCOMPARE(cInifile(programIni(), u"frmMain.cboToDo"_qs).value(u"Count"_qs), u"0"_qs);

        frmMain restored;
        QCOMPARE(entries(combo(restored, u"cboRefer"_qs)), expected);
        QCOMPARE(combo(restored, u"cboRefer"_qs)->currentText(), QString());
    }

    void closesOnlyWhenConfirmed_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("OK") << int(MessageService::Ok) << true;
        QTest::newRow("Cancel") << int(MessageService::Cancel) << false;
    }
    void closesOnlyWhenConfirmed()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        const auto window = shownWindow();
        window->options()->checkBox(u"chkaUpperCase"_qs)->setChecked(true);
        m_messages.answer = MessageService::Answer(answer);
        control<QPushButton>(*window, u"cmdClose"_qs)->click();
        QCOMPARE(m_messages.boxes.size(), 1);
        QCOMPARE(m_messages.boxes[0].text, QStringLiteral("确实要关闭吗？"));
        QCOMPARE(m_messages.boxes[0].buttons, MessageService::Buttons::OkCancel);
        QCOMPARE(m_messages.boxes[0].icon, MessageService::Icon::Question);
        QCOMPARE(window->isVisible(), !closed);
        QCOMPARE(cInifile(programIni(), u"TallyraCustomSetting"_qs).value(u"chkaUpperCase"_qs),
                 closed ? u"1"_qs : QString());
    }

    // A settings file the window cannot load must not keep the window from closing.
    void closesAfterEveryLoadError_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("error");
        QTest::newRow("check box stored as 5") << QByteArray("chkaAndX=5") << 380;
        QTest::newRow("check box stored as -1") << QByteArray("chkaAndX=-1") << 380;
        QTest::newRow("huge number") << QByteArray("chkaAndX=1e99999") << 6;
        QTest::newRow("tiny number") << QByteArray("chkaAndX=1e-99999") << 6;
        QTest::newRow("Tallyra.ini is a folder") << QByteArray() << 75;
    }
    void closesAfterEveryLoadError()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, error);
        if (ini.isEmpty())
            QDir().mkpath(programIni());
        else
            writeFile(programIni(), "[TallyraCustomSetting]\r\nchkaUpperCase=1\r\n" + ini + "\r\n");
        auto window = std::make_unique<frmMain>();
        // The box waits until the window is on the screen.
        QVERIFY(m_messages.boxes.isEmpty());
        window->show();
        QTRY_COMPARE(m_messages.boxes.size(), 1);
        QVERIFY(m_messages.boxes[0].text.startsWith(QStringLiteral("错误:%1\r\n").arg(error)));
        combo(*window, u"cboFinal"_qs)->addItem(u"/d/o.glo"_qs);
        control<QPushButton>(*window, u"cmdClose"_qs)->click();
        QVERIFY(!window->isVisible());
        if (ini.isEmpty())
            QVERIFY(QDir(programIni()).removeRecursively());
        else
            QCOMPARE(cInifile(programIni(), u"frmMain.cboFinal"_qs).value(u"Item0"_qs), u"/d/o.glo"_qs);
    }

    // However the window is closed, the settings are kept.
    void savesOnEveryClose()
    {
        const auto window = shownWindow();
        window->options()->textBox(u"txttAndXBK2"_qs)->setText(QStringLiteral("】"));
        combo(*window, u"cboFinal"_qs)->addItem(u"/d/o.glo"_qs);
        window->close();
        QVERIFY(m_messages.boxes.isEmpty());
        QCOMPARE(cInifile(programIni(), u"TallyraCustomSetting"_qs).value(u"txttAndXBK2"_qs), QStringLiteral("】"));
        QCOMPARE(cInifile(programIni(), u"frmMain.cboFinal"_qs).value(u"Item0"_qs), u"/d/o.glo"_qs);
    }

    void hidesTheJobControls_data()
    {
        QTest::addColumn<bool>("advancedMode");
        QTest::newRow("options in view") << true;
        QTest::newRow("progress in view") << false;
    }
    void hidesTheJobControls()
    {
        QFETCH(bool, advancedMode);
        const auto window = shownWindow();
        control<QCheckBox>(*window, u"chkAdvMode"_qs)->setChecked(advancedMode);
        window->SetJobControlsVisible(false);
        const QStringList hidden{u"lalUND"_qs, u"cboToDo"_qs, u"cmdOpen0"_qs, u"lalFinal"_qs, u"cboFinal"_qs,
                                 u"cmdSave"_qs, u"cmdStart"_qs, u"cmdClose"_qs, u"cmdHelp"_qs, u"chkAdvMode"_qs,
                                 u"chkaAndX"_qs, u"txtLenLimit"_qs, u"cmdPreset3"_qs};
        for (const QString &name : hidden)
            QVERIFY2(control<QWidget>(*window, name)->isHidden(), qPrintable(name));
        QVERIFY(!window->options()->isVisible());
        QVERIFY(control<QLabel>(*window, u"LabelDoing"_qs)->isVisible());
        QVERIFY(control<QWidget>(*window, u"picState"_qs)->isVisible());
        const QSize size = window->size();

        window->SetJobControlsVisible(true);
        for (const QString &name : hidden)
            QVERIFY2(!control<QWidget>(*window, name)->isHidden(), qPrintable(name));
        QVERIFY(combo(*window, u"cboToDo"_qs)->isVisible());
        QVERIFY(control<QWidget>(*window, u"cmdStart"_qs)->isVisible());
        QCOMPARE(window->options()->isVisible(), advancedMode);
        QCOMPARE(control<QWidget>(*window, u"txtLenLimit"_qs)->isVisible(), advancedMode);
        QVERIFY(!control<QLabel>(*window, u"LabelDoing"_qs)->isVisible());
        QCOMPARE(window->size(), size);
    }

    void doubleClickOpensTheOutputFolder()
    {
        const auto window = shownWindow();
        const QString folder = m_dir.filePath(QStringLiteral("输出"));
        QVERIFY(QDir().mkpath(folder));
        combo(*window, u"cboFinal"_qs)->setEditText(folder + QStringLiteral("/结果.glo"));
        QTest::mouseDClick(control<QLabel>(*window, u"lalFinal"_qs), Qt::LeftButton);
        QCOMPARE(m_openedUrls, QList<QUrl>{QUrl::fromLocalFile(folder)});
    }

    void refusesToCloseDuringAJobAndSaysWhy()
    {
        const auto window = shownWindow();
        for (const QString &name : {u"cboToDo"_qs, u"cboRefer"_qs, u"cboFinal"_qs})
            combo(*window, name)->setEditText(m_dir.filePath(u"missing.glo"_qs));
        bool closed = true;
        QTimer::singleShot(0, window.get(), [&] { closed = window->close(); });
        control<QPushButton>(*window, u"cmdStart"_qs)->click();
        QVERIFY(!closed);
        QVERIFY(window->isVisible());
        QCOMPARE(m_messages.boxes.value(0).text, QStringLiteral("正在忙碌地处理，处理结束后才能关闭窗口。"));
    }

    // No address of the project's own yet: the web link opens the manual, no mail link.
    void webLinkOpensTheManual()
    {
        const auto window = shownWindow();
        control<QCheckBox>(*window, u"chkAdvMode"_qs)->setChecked(false);
        QVERIFY(!window->findChild<QWidget *>(u"LabelEmail"_qs));
        QTest::mouseClick(control<QLabel>(*window, u"LabelWeb"_qs), Qt::LeftButton);
        QCOMPARE(m_messages.boxes.value(0).text,
                 u"无法打开使用说明:\r\n"_qs + QCoreApplication::applicationDirPath() + u"/Tallyra.html"_qs);
    }

    // Last: the program's own set-up changes the whole test program.
    void showsTheDescribedTitle()
    {
        setUpApplication(static_cast<QApplication &>(*QCoreApplication::instance()), frmMain::ProgramTitle);
        AppFolder::set(m_dir.filePath(u"app"_qs));
        const QString title = QStringLiteral("Tallyra v%1.%2").arg(PROJECT_VERSION_MAJOR).arg(PROJECT_VERSION_MINOR);
        const auto window = shownWindow();
        QCOMPARE(platformTitle(*window), title);
    }
};

QTEST_MAIN(FrmMainTest)
#include "tst_frmmain.moc"
