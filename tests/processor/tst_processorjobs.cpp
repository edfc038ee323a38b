#include "processor/FakeServices.h"

#include "AppFolder.h"
#include "OptionsFrame.h"
#include "StatePanel.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

// The engine's own tests pin every format pair's rows; these show what the window adds:
// the controls while and after a job, the stage labels, the histories and the boxes.
namespace {

const QString Fixtures = QStringLiteral(TEST_DATA_DIR "/processor/");

const QRegularExpression TimeOnly(QStringLiteral("^时间: [0-9,]+ms$"));
const QRegularExpression TimeAndSize(QStringLiteral("^时间: [0-9,]+ms 大小: [0-9,]+KB$"));

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}

class ProcessorJobsTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    FakeMessages m_messages;
    FakeFileDialogs m_dialogs;
    std::unique_ptr<frmMain> m_window;

    QString file(const QString &name) const { return m_dir.filePath(name); }

    template <typename T>
    T *control(const QString &name) const
    {
        T *found = m_window->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QComboBox *combo(const QString &name) const { return control<QComboBox>(name); }

    // A stage's caption, or "pending" / "unfinished" where its colours are not the ones
    // that go with an empty or a final caption.
    QString stage(int index) const
    {
        const QLabel *label = control<QLabel>(QStringLiteral("lblState%1").arg(index));
        const auto rgb = [](const QWidget *widget, QPalette::ColorRole role) {
            return widget->palette().color(role).rgb() & 0xFFFFFF;
        };
        const QRgb background = rgb(label, QPalette::Window);
        const QRgb text = rgb(label, QPalette::WindowText);
        const QRgb marker = rgb(control<QWidget>(QStringLiteral("shpState%1").arg(index)), QPalette::Window);
        if (label->text().isEmpty())
            return background == StatePanel::NeutralBackground && marker == background && text == StatePanel::PendingText
                ? QStringLiteral("pending") : QStringLiteral("wrong colours");
        return background == StatePanel::FinishedBackground && marker == background && text == StatePanel::FinishedText
            ? label->text() : QStringLiteral("unfinished");
    }
    void verifyFinished(int index, const QRegularExpression &caption) const
    {
        QVERIFY2(caption.match(stage(index)).hasMatch(), qPrintable(stage(index)));
    }

    // The stages as the window shows them at the first moment the job lets events run.
    QStringList start(const QString &todo, const QString &reference, const QString &output)
    {
        combo(u"cboToDo"_qs)->setEditText(todo);
        combo(u"cboRefer"_qs)->setEditText(reference);
        combo(u"cboFinal"_qs)->setEditText(output);
        QStringList busy;
        QTimer::singleShot(0, this, [&] {
            busy.append(control<QLabel>(u"LabelDoing"_qs)->isVisible() ? u"note"_qs : u"no note"_qs);
            for (int i = 0; i < 4; ++i)
                busy.append(stage(i));
        });
        control<QPushButton>(u"cmdStart"_qs)->click();
        return busy;
    }
    void verifyIdleAgain() const
    {
        QVERIFY(!control<QCheckBox>(u"chkAdvMode"_qs)->isChecked());
        QVERIFY(!m_window->options()->isVisible());
        QVERIFY(combo(u"cboToDo"_qs)->isVisible());
        QVERIFY(!control<QLabel>(u"LabelDoing"_qs)->isVisible());
    }
    QStringList history(const QString &name) const
    {
        QStringList entries;
        for (int i = 0; i < combo(name)->count(); ++i)
            entries.append(combo(name)->itemText(i));
        return entries;
    }

private Q_SLOTS:
    void initTestCase()
    {
        AppFolder::set(file(u"app"_qs));
        for (const QString &name : QDir(Fixtures).entryList(QDir::Files))
            QVERIFY(QFile::copy(Fixtures + name, file(name)));
    }
    void init()
    {
        QFile::remove(AppFolder::file(u"Tallyra.ini"_qs));
        m_messages.boxes.clear();
        m_window = std::make_unique<frmMain>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    // One job per output family; the last stage's caption follows the to-do's format.
    void runsAWholeJob_data()
    {
        QTest::addColumn<QString>("todo");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("advancedMode");
        QTest::newRow("glossary") << u"todo.glo"_qs << u"reference.glo"_qs << u"PP.glo"_qs << u"expected-PP.glo"_qs
                                  << true;
        QTest::newRow("two-line text") << u"todo.u.txt"_qs << u"reference.a.txt"_qs << QStringLiteral("结果/OO.u.txt")
                                       << u"expected-OO.u.txt"_qs << false;
    }
    void runsAWholeJob()
    {
        QFETCH(QString, todo);
        QFETCH(QString, reference);
        QFETCH(QString, output);
        QFETCH(QString, expected);
        QFETCH(bool, advancedMode);
        QDir(m_dir.path()).mkpath(QFileInfo(file(output)).path());
        control<QCheckBox>(u"chkAdvMode"_qs)->setChecked(advancedMode);

        const QStringList busy = start(file(todo), file(reference), file(output));

        QVERIFY(m_messages.boxes.isEmpty());
        QCOMPARE(contents(file(output)), contents(file(expected)));
        QCOMPARE(busy.value(0), u"note"_qs);
        verifyFinished(0, TimeAndSize);
        verifyFinished(1, TimeAndSize);
        verifyFinished(2, TimeOnly);
        verifyFinished(3, todo.endsWith(u".glo") ? TimeAndSize : TimeOnly);
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
        OptionsFrame *options = m_window->options();
        options->checkBox(u"chkSaveRefDB"_qs)->setChecked(true);
        options->textBox(u"txtSaveRefDB"_qs)->setText(database);
        start(file(u"todo.glo"_qs), file(u"reference.glo"_qs), file(u"first.glo"_qs));
        QVERIFY(QFileInfo(database).size() > 0);

        options->checkBox(u"chkSaveRefDB"_qs)->setChecked(false);
        const QStringList busy = start(file(u"todo.u.txt"_qs), database, file(u"second.u.txt"_qs));

        QVERIFY(m_messages.boxes.isEmpty());
        QCOMPARE(busy, (QStringList{u"note"_qs, u"pending"_qs, u"pending"_qs, u"pending"_qs, u"pending"_qs}));
        QVERIFY(QFileInfo(file(u"second.u.txt"_qs)).size() > 0);
        QCOMPARE(stage(0), u"pending"_qs);
        verifyFinished(1, TimeAndSize);
        verifyFinished(2, TimeOnly);
        verifyFinished(3, TimeOnly);
        QCOMPARE(history(u"cboRefer"_qs), (QStringList{database, file(u"reference.glo"_qs)}));
        QCOMPARE(m_window->driver().ReferenceDatabasePath(), database);
    }

    // Errors of the driver itself: the box, the window back, the histories untouched.
    void reportsJobsThatCannotStart_data()
    {
        QTest::addColumn<QString>("todo");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("box");
        QTest::newRow("missing reference")
            << u"todo.glo"_qs << u"missing.glo"_qs
            << QStringLiteral("错误:1000\r\n不能检测出“未译字典”或“参照字典”的文件格式\r\n"
                              "源代码位置: Form 'frmMain' -> 'cmdStart_Click'");
        QTest::newRow("empty to-do")
            << u"empty.glo"_qs << u"reference.glo"_qs
            << QStringLiteral("错误:62\r\n输入超出文件尾\r\n源代码位置: Form 'frmMain' -> 'cmdStart_Click'");
    }
    void reportsJobsThatCannotStart()
    {
        QFETCH(QString, todo);
        QFETCH(QString, reference);
        QFETCH(QString, box);
        start(file(todo), file(reference), file(u"never.glo"_qs));
        QCOMPARE(m_messages.boxes.size(), 1);
        QCOMPARE(m_messages.boxes[0].text, box);
        QCOMPARE(m_messages.boxes[0].icon, MessageService::Icon::Critical);
        QVERIFY(!QFile::exists(file(u"never.glo"_qs)));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(stage(i), u"pending"_qs);
        verifyIdleAgain();
        QCOMPARE(history(u"cboToDo"_qs), QStringList());
        QCOMPARE(history(u"cboFinal"_qs), QStringList());
        QCOMPARE(combo(u"cboToDo"_qs)->currentText(), file(todo));
    }

    // A stage that fails reports itself; the window then ends the job as after a success.
    void keepsTheHistoriesAfterAFailedStage()
    {
        const QString output = file(u"no such folder/out.glo"_qs);
        start(file(u"todo.glo"_qs), file(u"reference.glo"_qs), output);
        QCOMPARE(m_messages.boxes.size(), 1);
        QVERIFY2(m_messages.boxes[0].text.contains(u"源代码位置: Class Module '"_qs),
                 qPrintable(m_messages.boxes[0].text));
        QVERIFY(!QFile::exists(output));
        verifyIdleAgain();
        QCOMPARE(history(u"cboFinal"_qs), QStringList{output});
    }
};

QTEST_MAIN(ProcessorJobsTest)
#include "tst_processorjobs.moc"
