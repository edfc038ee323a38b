#include "processor/FakeServices.h"

#include "AppFolder.h"
#include "ApplicationSetup.h"
#include "ComboHistory.h"
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
#include <QMap>
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

const QString Fixtures = QStringLiteral(TEST_DATA_DIR "/processor/");

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
    static QStringList visibleWidgets(const QWidget &window)
    {
        QStringList names;
        for (const QWidget *child : window.findChildren<QWidget *>()) {
            if (child->isVisible())
                names.append(QString::fromLatin1(child->metaObject()->className()) + u':' + child->objectName());
        }
        return names;
    }
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
        QTest::addColumn<QString>("ini");
        QTest::addColumn<bool>("andX");
        QTest::addColumn<QString>("lenLimit");
        QTest::newRow("no INI file: the limit is repaired to 50") << QString() << true << u"50"_qs;
        QTest::newRow("INI overrides") << u"options.ini"_qs << false << u"300"_qs;
    }
    void loadsPresetThenIniFile()
    {
        QFETCH(QString, ini);
        QFETCH(bool, andX);
        QFETCH(QString, lenLimit);
        if (!ini.isEmpty())
            QVERIFY(QFile::copy(Fixtures + ini, programIni()));
        const auto window = shownWindow();
        OptionsFrame *options = window->options();
        QVERIFY(options->isVisible());
        QCOMPARE(options->checkBox(u"chkaAndX"_qs)->isChecked(), andX);
        QCOMPARE(options->textBox(u"txttAndXBK1"_qs)->isEnabled(), andX);
        QVERIFY(options->checkBox(u"chkrQuanSenHao"_qs)->isChecked());
        QCOMPARE(options->textBox(u"txtLenLimit"_qs)->text(), lenLimit);
        QVERIFY(!options->textBox(u"txtSaveRefDB"_qs)->isEnabled());
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

    // Each button's dialog, as the user sees it, and the name it puts into its drop-down.
    void choosesFilesThroughTheDialogs_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("chosenFilter");
        QTest::addColumn<QString>("shown");
        QTest::newRow("to-do") << u"cmdOpen0"_qs << QStringLiteral("字典/未译.glo") << 1 << QStringLiteral("字典/未译.glo");
        QTest::newRow("reference") << u"cmdOpen1"_qs << u"d/ref.db"_qs << 2 << u"d/ref.db"_qs;
        QTest::newRow("output, text entry") << u"cmdSave"_qs << u"d/out"_qs << 1 << u"d/out.txt"_qs;
        QTest::newRow("output, glossary entry") << u"cmdSave"_qs << u"d/out"_qs << 2 << u"d/out.glo"_qs;
        QTest::newRow("output keeps .GLO") << u"cmdSave"_qs << u"d/OUT.GLO"_qs << 1 << u"d/OUT.GLO"_qs;
        QTest::newRow("output keeps .txt") << u"cmdSave"_qs << u"d/o.u.txt"_qs << 2 << u"d/o.u.txt"_qs;
        QTest::newRow("output, other extension") << u"cmdSave"_qs << u"d/o.csv"_qs << 1 << u"d/o.csv.txt"_qs;
        QTest::newRow("cancelled") << u"cmdOpen0"_qs << QString() << -1 << QString();
    }
    void choosesFilesThroughTheDialogs()
    {
        QFETCH(QString, button);
        QFETCH(QString, chosen);
        QFETCH(int, chosenFilter);
        QFETCH(QString, shown);
        const QString dictionaries = QStringLiteral("PASSOLO字典/青墨文本(*.glo;*.a.txt;*.u.txt)|*.glo;*.txt");
        const QString glossary = QStringLiteral("PASSOLO字典(*.glo)|*.glo");
        const QString twoLine = QStringLiteral("青墨文本(*.a.txt;*.u.txt)|*.txt");
        // Title first, then the filter entries.
        const QMap<QString, QStringList> dialogs{
            {u"cmdOpen0"_qs, {QStringLiteral("选择未译字典"), dictionaries, glossary, twoLine}},
            {u"cmdOpen1"_qs,
             {QStringLiteral("选择参照字典"), dictionaries, QStringLiteral("已净化数据库(*.db)|*.db"), glossary, twoLine}},
            {u"cmdSave"_qs, {QStringLiteral("选择已译字典的保存文件"), QStringLiteral("文本格式文件(*.txt)|*.txt"), glossary}}};
        frmMain window;
        m_dialogs.prepare(chosen.isEmpty() ? chosen : at(chosen), chosenFilter);
        control<QPushButton>(window, button)->click();
        QCOMPARE(m_dialogs.kind, button == u"cmdSave" ? u"save"_qs : u"open"_qs);
        QCOMPARE(QStringList{m_dialogs.shown.title} + m_dialogs.shown.filters, dialogs[button]);
        QCOMPARE(m_dialogs.shown.filterIndex, button == u"cmdSave" ? 0 : 1);
        const QString name = button == u"cmdOpen0" ? u"cboToDo"_qs : button == u"cmdOpen1" ? u"cboRefer"_qs : u"cboFinal"_qs;
        const QStringList expected = shown.isEmpty() ? QStringList() : QStringList{at(shown)};
        QCOMPARE(entries(combo(window, name)), expected);
        QCOMPARE(combo(window, name)->currentText(), expected.value(0));
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
        m_messages.answer = answer;
        control<QPushButton>(*window, u"cmdClose"_qs)->click();
        QCOMPARE(m_messages.boxes.size(), 1);
        QCOMPARE(m_messages.boxes[0].text, QStringLiteral("确实要关闭吗？"));
        QCOMPARE(m_messages.boxes[0].buttons, MessageService::Buttons::OkCancel);
        QCOMPARE(m_messages.boxes[0].icon, MessageService::Icon::Question);
        QCOMPARE(window->isVisible(), !closed);
        QCOMPARE(cInifile(programIni(), u"TallyraCustomSetting"_qs).value(u"chkaUpperCase"_qs),
                 closed ? u"1"_qs : QString());
    }

    // A settings file the window cannot load must not keep the window from closing; the
    // box waits until the window is on the screen.
    void closesAfterEveryLoadError_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<int>("error");
        QTest::newRow("check box stored as -1") << u"bad-state.ini"_qs << 380;
        QTest::newRow("huge number") << u"overflow.ini"_qs << 6;
        QTest::newRow("Tallyra.ini is a folder") << QString() << 75;
    }
    void closesAfterEveryLoadError()
    {
        QFETCH(QString, ini);
        QFETCH(int, error);
        QVERIFY(ini.isEmpty() ? QDir().mkpath(programIni()) : QFile::copy(Fixtures + ini, programIni()));
        auto window = std::make_unique<frmMain>();
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

    // However the window is closed, the settings and the histories are kept; the next
    // window lists them with an empty edit field.
    void savesOnEveryClose()
    {
        {
            const auto window = shownWindow();
            window->options()->textBox(u"txttAndXBK2"_qs)->setText(QStringLiteral("】"));
            AddComboHistory(combo(*window, u"cboRefer"_qs), u"/d/r.glo"_qs);
            AddComboHistory(combo(*window, u"cboFinal"_qs), u"/d/o.glo"_qs);
            window->close();
        }
        QVERIFY(m_messages.boxes.isEmpty());
        QCOMPARE(cInifile(programIni(), u"TallyraCustomSetting"_qs).value(u"txttAndXBK2"_qs), QStringLiteral("】"));
        frmMain restored;
        QCOMPARE(entries(combo(restored, u"cboRefer"_qs)), QStringList{u"/d/r.glo"_qs});
        QCOMPARE(entries(combo(restored, u"cboFinal"_qs)), QStringList{u"/d/o.glo"_qs});
        QCOMPARE(combo(restored, u"cboFinal"_qs)->currentText(), QString());
    }

    // While a job runs only the note and the progress panel are seen; afterwards exactly
    // what was seen before, in the same window size.
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
        const QStringList before = visibleWidgets(*window);
        const QSize size = window->size();
        window->SetJobControlsVisible(false);
        const QWidget *panel = control<QWidget>(*window, u"picState"_qs);
        const QWidget *note = control<QLabel>(*window, u"LabelDoing"_qs);
        QVERIFY(note->isVisible());
        for (const QWidget *child : window->findChildren<QWidget *>()) {
            if (child->isVisible() && child != note && child != panel && !panel->isAncestorOf(child))
                QFAIL(qPrintable(child->objectName() + u" is seen"_qs));
        }
        window->SetJobControlsVisible(true);
        QCOMPARE(visibleWidgets(*window), before);
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
