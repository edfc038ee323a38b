#include "FakeServices.h"
#include "TestData.h"
#include "ui/Controls.h"

#include "AppFolder.h"
#include "ApplicationSetup.h"
#include "ComboHistory.h"
#include "cInifile.h"
#include "OptionsFrame.h"
#include "StatePanel.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

// What the window adds to the engine: controls, stage labels, histories and boxes. The
// engine's own tests pin every format pair's rows.
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

const QString Fixtures = testDataPath(u"processor/"_qs);
const QRegularExpression Number(u"[0-9,]+"_qs);
const QString TimeOnly = QStringLiteral("时间: #ms");
const QString TimeAndSize = QStringLiteral("时间: #ms 大小: #KB");
const QString Pending = u"pending"_qs;

QRgb rgb(const QWidget *widget, QPalette::ColorRole role)
{
    return widget->palette().color(role).rgb() & 0xFFFFFF;
}

// Counts how often a file of a folder is written or replaced from now on.
class WriteCounter {
public:
    explicit WriteCounter(const QString &folder) : m_watch(inotify_init1(IN_NONBLOCK))
    {
        inotify_add_watch(m_watch, QFile::encodeName(folder).constData(), IN_CLOSE_WRITE | IN_MOVED_TO);
    }
    ~WriteCounter() { close(m_watch); }
    int writes(const QString &name) const
    {
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t size; (size = read(m_watch, buffer, sizeof buffer)) > 0;) {
            for (const char *at = buffer; at < buffer + size;) {
                const auto *event = reinterpret_cast<const inotify_event *>(at);
                count += event->len > 0 && QFile::decodeName(event->name) == name;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return count;
    }

private:
    int m_watch;
};

}

class FrmMainTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    FakeMessages m_messages{MessageService::Ok};
    FakeFileDialogs m_dialogs;
    QList<QUrl> m_openedUrls;
    std::unique_ptr<frmMain> m_window;

    QString programIni() const { return AppFolder::file(u"Tallyra.ini"_qs); }
    // A file in the test's folder, which holds the fixtures and the folders "d" and "字典".
    QString file(const QString &name) const { return m_dir.filePath(name); }

    frmMain &open(bool shown = true)
    {
        m_window = std::make_unique<frmMain>();
        if (shown) {
            m_window->show();
            if (!QTest::qWaitForWindowExposed(m_window.get()))
                qWarning("window not exposed");
        }
        return *m_window;
    }
    template <typename T = QWidget>
    T *get(const QString &name) const { return control<T>(*m_window, name); }
    QComboBox *combo(const QString &name) const { return get<QComboBox>(name); }
    QStringList history(const QString &name) const
    {
        QStringList entries;
        for (int i = 0; i < combo(name)->count(); ++i)
            entries.append(combo(name)->itemText(i));
        return entries;
    }
    // The visible controls, leaving out `except` and what lies inside it.
    QStringList visibleWidgets(const QWidget *except = nullptr) const
    {
        QStringList names;
        for (const QWidget *child : m_window->findChildren<QWidget *>()) {
            if (child->isVisible() && !(except && (child == except || except->isAncestorOf(child))))
                names.append(QString::fromLatin1(child->metaObject()->className()) + u':' + child->objectName());
        }
        return names;
    }

    // Each stage's caption with its numbers as '#', or "pending" / "unfinished" where its
    // colours are not the ones that go with an empty or a final caption.
    QStringList stages() const
    {
        QStringList captions;
        for (int index = 0; index < 4; ++index) {
            const QLabel *label = get<QLabel>(QStringLiteral("lblState%1").arg(index));
            const QRgb background = rgb(label, QPalette::Window);
            const QRgb ink = rgb(label, QPalette::WindowText);
            const bool plain = rgb(get(u"shpState%1"_qs.arg(index)), QPalette::Window) == background;
            if (label->text().isEmpty())
                captions.append(plain && background == StatePanel::NeutralBackground && ink == StatePanel::PendingText
                                    ? Pending : u"wrong colours"_qs);
            else
                captions.append(plain && background == StatePanel::FinishedBackground && ink == StatePanel::FinishedText
                                    ? QString(label->text()).replace(Number, u"#"_qs) : u"unfinished"_qs);
        }
        return captions;
    }
    void setFiles(const QString &todo, const QString &reference, const QString &output)
    {
        combo(u"cboToDo"_qs)->setEditText(todo);
        combo(u"cboRefer"_qs)->setEditText(reference);
        combo(u"cboFinal"_qs)->setEditText(output);
    }

    // The note and the stages as the window shows them at the first moment the job lets
    // events run.
    QStringList start(const QString &todo, const QString &reference, const QString &output)
    {
        setFiles(todo, reference, output);
        QStringList busy;
        QTimer::singleShot(0, this, [&] {
            busy = QStringList{get(u"LabelDoing"_qs)->isVisible() ? u"note"_qs : u"no note"_qs} + stages();
        });
        get<QPushButton>(u"cmdStart"_qs)->click();
        return busy;
    }
    void verifyIdleAgain() const
    {
        QVERIFY(!get<QCheckBox>(u"chkAdvMode"_qs)->isChecked());
        QVERIFY(!m_window->options()->isVisible());
        QVERIFY(combo(u"cboToDo"_qs)->isVisible());
        QVERIFY(!get(u"LabelDoing"_qs)->isVisible());
    }

public Q_SLOTS:
    void openUrl(const QUrl &url) { m_openedUrls.append(url); }

private Q_SLOTS:
    void initTestCase()
    {
        AppFolder::set(file(u"app"_qs));
        QVERIFY(QDir(m_dir.path()).mkpath(u"d"_qs) && QDir(m_dir.path()).mkpath(QStringLiteral("字典")));
        for (const QString &name : QDir(Fixtures).entryList(QDir::Files))
            QVERIFY(QFile::copy(Fixtures + name, file(name)));
        QCOMPARE(mkfifo(QFile::encodeName(file(u"fifo.glo"_qs)).constData(), 0600), 0);
        QDesktopServices::setUrlHandler(u"file"_qs, this, "openUrl");
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(u"file"_qs); }
    void init()
    {
        // One row puts a folder where the file belongs.
        if (!QFile::remove(programIni()))
            QDir(programIni()).removeRecursively();
        m_messages.boxes.clear();
        m_messages.answer = MessageService::Ok;
        m_openedUrls.clear();
    }
    void cleanup() { m_window.reset(); }

    // The full preset is the default that the program's INI file overrides.
    void loadsPresetThenIniFile_data() { addTestTable(u"processor/start-options.txt"_qs, {"ini", "andX", "lenLimit"}); }
    void loadsPresetThenIniFile()
    {
        const auto [ini, andX, lenLimit] = fields("ini", "andX", "lenLimit");
        if (!ini.isEmpty())
            QVERIFY(QFile::copy(Fixtures + ini, programIni()));
        OptionsFrame *options = open().options();
        QVERIFY(options->isVisible());
        QCOMPARE(options->checkBox(u"chkaAndX"_qs)->isChecked(), andX == u"1");
        QCOMPARE(options->textBox(u"txttAndXBK1"_qs)->isEnabled(), andX == u"1");
        QVERIFY(options->checkBox(u"chkrQuanSenHao"_qs)->isChecked());
        QCOMPARE(options->textBox(u"txtLenLimit"_qs)->text(), lenLimit);
        QVERIFY(!options->textBox(u"txtSaveRefDB"_qs)->isEnabled());
        QVERIFY(!get(u"cmdStart"_qs)->isEnabled());
        QVERIFY(m_messages.boxes.isEmpty());
    }

    void enablesStartWithThreeFiles_data()
    {
        addTestTable(u"processor/start-files.txt"_qs, {"todo", "reference", "output", "enabled"});
    }
    void enablesStartWithThreeFiles()
    {
        const auto [todo, reference, output, enabled] = fields("todo", "reference", "output", "enabled");
        open(false);
        setFiles(todo, reference, output);
        QCOMPARE(get(u"cmdStart"_qs)->isEnabled(), enabled == u"1");
        // A choice from the list counts as well.
        QComboBox *last = combo(u"cboFinal"_qs);
        last->addItem(u"chosen.glo"_qs);
        last->setCurrentIndex(last->count() - 1);
        QCOMPARE(get(u"cmdStart"_qs)->isEnabled(), !todo.isEmpty() && !reference.isEmpty());
    }

    // Each button's dialog, as the user sees it, and the name it puts into its drop-down.
    void choosesFilesThroughTheDialogs_data()
    {
        addTestTable(u"processor/chosen-files.txt"_qs, {"button", "chosen", "filter", "shown", "name"});
    }
    void choosesFilesThroughTheDialogs()
    {
        const auto [button, chosen, filter, shown, name] = fields("button", "chosen", "filter", "shown", "name");
        open(false);
        m_dialogs.prepare(chosen.isEmpty() ? chosen : file(chosen), filter.toInt());
        get<QPushButton>(button)->click();
        // One setting a line: kind, title, filter entries, filter index, default extension.
        const QString dialog = QString::fromUtf8(testData(u"processor/dialog-%1.txt"_qs.arg(button)));
        QCOMPARE(m_dialogs.shown(), dialog.chopped(1).split(u'\n'));
        const QStringList expected = shown.isEmpty() ? QStringList() : QStringList{file(shown)};
        QCOMPARE(history(name), expected);
        QCOMPARE(combo(name)->currentText(), expected.value(0));
    }

    // Closing saves the options and the histories; the next window lists them with an
    // empty edit field.
    void closesOnlyWhenConfirmed_data() { addTestTable(u"processor/close-answers.txt"_qs, {"closed"}); }
    void closesOnlyWhenConfirmed()
    {
        const bool closed = fields("closed")[0] == u"1";
        open().options()->textBox(u"txttAndXBK2"_qs)->setText(QStringLiteral("】"));
        AddComboHistory(combo(u"cboRefer"_qs), u"/d/r.glo"_qs);
        m_messages.answer = closed ? MessageService::Ok : MessageService::Cancel;
        const WriteCounter counter(AppFolder::path());
        get<QPushButton>(u"cmdClose"_qs)->click();
        // Once, however many values: the file may be large.
        QCOMPARE(counter.writes(u"Tallyra.ini"_qs), int(closed));
        QCOMPARE(m_messages.texts(), QStringList{QStringLiteral("确实要关闭吗？")});
        QCOMPARE(m_messages.boxes[0].buttons, MessageService::Buttons::OkCancel);
        QCOMPARE(m_messages.boxes[0].icon, MessageService::Icon::Question);
        QCOMPARE(m_window->isVisible(), !closed);
        QCOMPARE(cInifile(programIni(), u"TallyraCustomSetting"_qs).value(u"txttAndXBK2"_qs),
                 closed ? QStringLiteral("】") : QString());
        open(false);
        QCOMPARE(history(u"cboRefer"_qs), closed ? QStringList{u"/d/r.glo"_qs} : QStringList());
        QCOMPARE(combo(u"cboRefer"_qs)->currentText(), QString());
    }

    // A settings file the window cannot load must not keep the window from closing; the
    // box waits until the window is on the screen.
    void closesAfterEveryLoadError_data() { addTestTable(u"processor/load-errors.txt"_qs, {"ini", "error"}); }
    void closesAfterEveryLoadError()
    {
        const auto [ini, error] = fields("ini", "error");
        QVERIFY(ini.isEmpty() ? QDir().mkpath(programIni()) : QFile::copy(Fixtures + ini, programIni()));
        open(false);
        QVERIFY(m_messages.boxes.isEmpty());
        m_window->show();
        QTRY_COMPARE(m_messages.boxes.size(), 1);
        QVERIFY(m_messages.boxes[0].text.startsWith(u"错误:"_qs + error + u"\r\n"_qs));
        combo(u"cboFinal"_qs)->addItem(u"/d/o.glo"_qs);
        get<QPushButton>(u"cmdClose"_qs)->click();
        QVERIFY(!m_window->isVisible());
        if (!ini.isEmpty())
            QCOMPARE(cInifile(programIni(), u"frmMain.cboFinal"_qs).value(u"Item0"_qs), u"/d/o.glo"_qs);
        else // the settings could not be saved, and the window says so
            QVERIFY(m_messages.boxes.last().text.endsWith(u"'frmMain' -> 'CfgSaveCtrlToIni'"_qs));
    }

    // While a job runs only the note and the progress panel are seen; afterwards exactly
    // what was seen before, in the same window size.
    void hidesTheJobControls_data() { addTestTable(u"processor/job-views.txt"_qs, {"advancedMode"}); }
    void hidesTheJobControls()
    {
        const bool advancedMode = fields("advancedMode")[0] == u"1";
        open();
        get<QCheckBox>(u"chkAdvMode"_qs)->setChecked(advancedMode);
        const QStringList before = visibleWidgets();
        const QSize size = m_window->size();
        m_window->SetJobControlsVisible(false);
        QCOMPARE(visibleWidgets(get(u"picState"_qs)), QStringList{u"QLabel:LabelDoing"_qs});
        m_window->SetJobControlsVisible(true);
        QCOMPARE(visibleWidgets(), before);
        QCOMPARE(m_window->size(), size);
    }

    // The output label opens its folder. No address of the project's own yet: the web
    // link opens the manual, and there is no mail link.
    void linksOpenTheOutputFolderAndTheManual()
    {
        open();
        const QString folder = file(QStringLiteral("输出"));
        QVERIFY(QDir().mkpath(folder));
        combo(u"cboFinal"_qs)->setEditText(folder + QStringLiteral("/结果.glo"));
        QTest::mouseDClick(get(u"lalFinal"_qs), Qt::LeftButton);
        QCOMPARE(m_openedUrls, QList<QUrl>{QUrl::fromLocalFile(folder)});
        get<QCheckBox>(u"chkAdvMode"_qs)->setChecked(false);
        QVERIFY(!m_window->findChild<QWidget *>(u"LabelEmail"_qs));
        QTest::mouseClick(get(u"LabelWeb"_qs), Qt::LeftButton);
        QCOMPARE(m_messages.boxes.value(0).text,
                 u"无法打开使用说明:\r\n"_qs + QCoreApplication::applicationDirPath() + u"/Tallyra.html"_qs);
    }

    // Closing from the title bar while the job runs would pull the window from under it.
    void refusesToCloseDuringAJobAndSaysWhy()
    {
        open();
        bool closed = true;
        QTimer::singleShot(0, m_window.get(), [&] { closed = m_window->close(); });
        start(file(u"missing.glo"_qs), file(u"missing.glo"_qs), file(u"missing.glo"_qs));
        QVERIFY(!closed);
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_messages.boxes.value(0).text, QStringLiteral("正在忙碌地处理，处理结束后才能关闭窗口。"));
    }

    // The note stays while the job goes on: a box that waits for its answer would stop
    // the job, whose database shell would wait with it. Such a box is answered after a
    // while, so that the test ends.
    void jobGoesOnWhileTheCloseNoteIsShown()
    {
        MessageService::setInstance(nullptr);
        const auto restore = qScopeGuard([this] { MessageService::setInstance(&m_messages); });
        QTimer answerWaitingBoxes;
        connect(&answerWaitingBoxes, &QTimer::timeout, this, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->accept();
        });
        answerWaitingBoxes.start(1000);
        open();
        QTimer::singleShot(0, m_window.get(), [this] { m_window->close(); });
        start(file(u"todo.glo"_qs), file(u"reference.a.txt"_qs), file(u"d/noted.glo"_qs));
        QCOMPARE(readBytes(file(u"d/noted.glo"_qs)), testData(u"processor/expected-PO.glo"_qs));
        auto *note = m_window->findChild<QMessageBox *>();
        QVERIFY(note && note->isVisible());
        QCOMPARE(note->text(), QStringLiteral("正在忙碌地处理，处理结束后才能关闭窗口。"));
        QVERIFY(m_window->isVisible());
    }

    // One job per output family, each result as in "expected-" and its name; the last
    // stage's caption follows the to-do's format. A glossary result takes the to-do's
    // language line when the reference has none.
    void runsAWholeJob_data() { addTestTable(u"processor/whole-jobs.txt"_qs, {"todo", "output", "advanced", "last"}); }
    void runsAWholeJob()
    {
        const auto [todo, output, advancedMode, lastStage] = fields("todo", "output", "advanced", "last");
        const QString reference = u"reference.a.txt"_qs;
        QDir(m_dir.path()).mkpath(QFileInfo(file(output)).path());
        open();
        get<QCheckBox>(u"chkAdvMode"_qs)->setChecked(advancedMode == u"1");
        const QStringList busy = start(file(todo), file(reference), file(output));

        QVERIFY(m_messages.boxes.isEmpty());
        QCOMPARE(readBytes(file(output)), testData(u"processor/expected-"_qs + QFileInfo(output).fileName()));
        QCOMPARE(busy.value(0), u"note"_qs);
        QCOMPARE(stages(), (QStringList{TimeAndSize, TimeAndSize, TimeOnly, lastStage}));
        verifyIdleAgain();
        QCOMPARE(history(u"cboToDo"_qs), QStringList{file(todo)});
        QCOMPARE(history(u"cboRefer"_qs), QStringList{file(reference)});
        QCOMPARE(history(u"cboFinal"_qs), QStringList{file(output)});
        const QStringList workFiles{u"*.sql"_qs, u"*.sh"_qs, u"*.txt"_qs, u"*.db"_qs};
        QCOMPARE(QDir(AppFolder::path()).entryList(workFiles, QDir::Files), QStringList());
    }

    // A saved purified database serves as the next job's reference: no reference stage,
    // and the stages of the first job are cleared when the second starts.
    void startsTwiceWithAPurifiedDatabase()
    {
        const QString database = file(QStringLiteral("参照.db"));
        OptionsFrame *options = open().options();
        options->checkBox(u"chkSaveRefDB"_qs)->setChecked(true);
        options->textBox(u"txtSaveRefDB"_qs)->setText(database);
        start(file(u"todo.glo"_qs), file(u"reference.glo"_qs), file(u"first.glo"_qs));

        options->checkBox(u"chkSaveRefDB"_qs)->setChecked(false);
        const QStringList busy = start(file(u"todo.u.txt"_qs), database, file(u"second.u.txt"_qs));
        QCOMPARE(readBytes(file(u"second.u.txt"_qs)), testData(u"processor/expected-OP.u.txt"_qs));

        QVERIFY(m_messages.boxes.isEmpty());
        QCOMPARE(busy, (QStringList{u"note"_qs, Pending, Pending, Pending, Pending}));
        QCOMPARE(stages(), (QStringList{Pending, TimeAndSize, TimeOnly, TimeOnly}));
        QCOMPARE(history(u"cboRefer"_qs), (QStringList{database, file(u"reference.glo"_qs)}));
    }

    // A job that cannot start leaves the stages and the histories as they were; a stage
    // that fails reports itself and the window ends the job as after a success.
    void reportsFailedJobs_data()
    {
        addTestTable(u"processor/failed-jobs.txt"_qs, {"todo", "reference", "output", "box"});
    }
    void reportsFailedJobs()
    {
        const auto [todo, reference, output, box] = fields("todo", "reference", "output", "box");
        const bool started = !box.endsWith(u"'cmdStart_Click'");
        open();
        start(file(todo), file(reference), file(output));
        QCOMPARE(m_messages.boxes.size(), 1);
        const QString expected = QString(box).replace(u"{dir}"_qs, m_dir.path());
        QVERIFY2(started ? m_messages.boxes[0].text.contains(expected) : m_messages.boxes[0].text == expected,
                 qPrintable(m_messages.boxes[0].text));
        QCOMPARE(m_messages.boxes[0].icon, MessageService::Icon::Critical);
        QVERIFY(!QFile::exists(file(output)));
        QCOMPARE(stages().value(0) == Pending, !started);
        verifyIdleAgain();
        QCOMPARE(history(u"cboFinal"_qs), started ? QStringList{file(output)} : QStringList());
        QCOMPARE(combo(u"cboToDo"_qs)->currentText(), file(todo));
    }

    // Last: the program's own set-up changes the whole test program.
    void showsTheDescribedTitle()
    {
        setUpApplication(static_cast<QApplication &>(*QCoreApplication::instance()), frmMain::ProgramTitle);
        AppFolder::set(file(u"app"_qs));
        open();
        QCOMPARE(platformTitle(*m_window),
                 QStringLiteral("Tallyra v%1.%2").arg(PROJECT_VERSION_MAJOR).arg(PROJECT_VERSION_MINOR));
    }
};

QTEST_MAIN(FrmMainTest)
#include "tst_frmmain.moc"
