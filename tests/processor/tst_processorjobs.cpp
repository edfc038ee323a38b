#include "processor/FakeServices.h"

#include "AppFolder.h"
#include "OptionsFrame.h"
#include "StatePanel.h"
#include "TextFile.h"
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

namespace {

// Two glossaries with different language lines, two two-line texts; only the two-line
// reference knows "Help", and the to-do text's "Exit" is translated already.
const QString TodoGlossary = QStringLiteral("7 1\t4 2\r\n&File\t&File\r\n&Open...\\tCtrl+O\t&Open...\\tCtrl+O\r\n"
                                            "Save:\tSave:\r\nHelp\tHelp\r\n");
const QString ReferenceGlossary = QStringLiteral("9 1\t4 2\r\n&File\t文件(&F)\r\nOpen...\t打开...\r\n"
                                                 "&Save\t保存(&S)\r\nExit\t退出\r\n");
const QString TodoText = QStringLiteral("\r\n1:&File\r\n&File\r\n\r\n2:&Open...\\tCtrl+O\r\n&Open...\\tCtrl+O\r\n"
                                        "\r\n3:Save:\r\nSave:\r\n\r\n4:Help\r\nHelp\r\n\r\n5:Exit\r\n离开\r\n");
const QString ReferenceText = QStringLiteral("\r\n1:&File\r\n文件(&F)\r\n\r\n2:Open...\r\n打开...\r\n\r\n3:&Save\r\n"
                                             "保存(&S)\r\n\r\n4:Exit\r\n退出\r\n\r\n5:Help\r\n帮助(&H)\r\n");

const QString TranslatedGlossary = QStringLiteral("&File\t文件(&F)\r\n&Open...\\tCtrl+O\t打开(&O)...\\tCtrl+O\r\n"
                                                  "Save:\t保存:\r\n");
QString translatedText(const QString &help)
{
    return QStringLiteral("\r\n1:&File\r\n文件(&F)\r\n\r\n2:&Open...\\tCtrl+O\r\n打开(&O)...\\tCtrl+O\r\n\r\n"
                          "3:Save:\r\n保存:\r\n\r\n4:Help\r\n%1\r\n\r\n5:Exit\r\n离开\r\n")
        .arg(help);
}

const QString FormatError = QStringLiteral("错误:1000\r\n不能检测出“未译字典”或“参照字典”的文件格式\r\n"
                                           "源代码位置: Form 'frmMain' -> 'cmdStart_Click'");

const QRegularExpression TimeOnly(QStringLiteral("^时间: [0-9,]+ms$"));
const QRegularExpression TimeAndSize(QStringLiteral("^时间: [0-9,]+ms 大小: [0-9,]+KB$"));

QByteArray gb18030(const QString &text)
{
    return TextCodec::encode(text, TextEncoding::Gb18030);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct StageLook {
    QString caption;
    QRgb background;
    QRgb text;
    QRgb marker;
};

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

    StageLook stage(int index) const
    {
        const QLabel *label = control<QLabel>(QStringLiteral("lblState%1").arg(index));
        const QWidget *marker = control<QWidget>(QStringLiteral("shpState%1").arg(index));
        return {label->text(), label->palette().color(QPalette::Window).rgb() & 0xFFFFFF,
                label->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF,
                marker->palette().color(QPalette::Window).rgb() & 0xFFFFFF};
    }
    void verifyPending(int index) const
    {
        const StageLook look = stage(index);
        QCOMPARE(look.caption, QString());
        QCOMPARE(look.background, StatePanel::NeutralBackground);
        QCOMPARE(look.marker, StatePanel::NeutralBackground);
        QCOMPARE(look.text, StatePanel::PendingText);
    }
    void verifyFinished(int index, const QRegularExpression &caption) const
    {
        const StageLook look = stage(index);
        QVERIFY2(caption.match(look.caption).hasMatch(), qPrintable(look.caption));
        QCOMPARE(look.background, StatePanel::FinishedBackground);
        QCOMPARE(look.marker, StatePanel::FinishedBackground);
        QCOMPARE(look.text, StatePanel::FinishedText);
    }

    // What the window shows at the first moment the job lets events run.
    struct BusyLook {
        bool seen = false;
        bool controlsHidden = false;
        bool noteShown = false;
        QList<StageLook> stages;
    };
    BusyLook start(const QString &todo, const QString &reference, const QString &output)
    {
        combo(u"cboToDo"_qs)->setEditText(todo);
        combo(u"cboRefer"_qs)->setEditText(reference);
        combo(u"cboFinal"_qs)->setEditText(output);
        BusyLook busy;
        QTimer::singleShot(0, this, [&] {
            busy.seen = true;
            busy.controlsHidden = combo(u"cboToDo"_qs)->isHidden() && control<QWidget>(u"cmdStart"_qs)->isHidden()
                && !m_window->options()->isVisible();
            busy.noteShown = control<QLabel>(u"LabelDoing"_qs)->isVisible();
            for (int i = 0; i < 4; ++i)
                busy.stages.append(stage(i));
        });
        auto *button = control<QPushButton>(u"cmdStart"_qs);
        if (!button->isEnabled())
            qFatal("Start is not enabled");
        button->click();
        return busy;
    }
    void verifyIdleAgain() const
    {
        QVERIFY(!control<QCheckBox>(u"chkAdvMode"_qs)->isChecked());
        QVERIFY(!m_window->options()->isVisible());
        QVERIFY(control<QWidget>(u"picState"_qs)->isVisible());
        QVERIFY(combo(u"cboToDo"_qs)->isVisible());
        QVERIFY(control<QWidget>(u"cmdStart"_qs)->isVisible());
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
        const QList<QPair<QString, QString>> dictionaries{{u"todo.glo"_qs, TodoGlossary},
                                                          {u"reference.glo"_qs, ReferenceGlossary},
                                                          {u"todo.u.txt"_qs, TodoText},
                                                          {u"reference.a.txt"_qs, ReferenceText},
                                                          {u"notes.txt"_qs, u"no dictionary here\r\n"_qs},
                                                          {u"empty.glo"_qs, QString()}};
        for (const auto &[name, text] : dictionaries) {
            QFile out(file(name));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(gb18030(text));
        }
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

    void runsAWholeJob_data()
    {
        QTest::addColumn<QString>("todo");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("advancedMode");
        // A glossary result holds the matches only, under the reference's language line
        // when the reference has one.
        QTest::newRow("PP") << u"todo.glo"_qs << u"reference.glo"_qs << u"PP.glo"_qs
                            << QStringLiteral("9 1\t4 2\r\n") + TranslatedGlossary << true;
        QTest::newRow("PO") << u"todo.glo"_qs << u"reference.a.txt"_qs << u"PO.glo"_qs
                            << QStringLiteral("7 1\t4 2\r\n") + TranslatedGlossary + QStringLiteral("Help\t帮助\r\n")
                            << false;
        QTest::newRow("OP") << u"todo.u.txt"_qs << u"reference.glo"_qs << QStringLiteral("结果/OP.u.txt")
                            << translatedText(u"Help"_qs) << false;
        QTest::newRow("OO") << u"todo.u.txt"_qs << u"reference.a.txt"_qs << u"OO.txt"_qs
                            << translatedText(QStringLiteral("帮助")) << true;
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

        const BusyLook busy = start(file(todo), file(reference), file(output));

        QVERIFY(m_messages.boxes.isEmpty());
        QCOMPARE(contents(file(output)), gb18030(expected));
        QVERIFY(busy.seen);
        QVERIFY(busy.controlsHidden);
        QVERIFY(busy.noteShown);
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

    // A saved purified database serves as the next job's reference: no reference stage.
    void startsTwiceWithAPurifiedDatabase()
    {
        OptionsFrame *options = m_window->options();
        options->checkBox(u"chkSaveRefDB"_qs)->setChecked(true);
        options->textBox(u"txtSaveRefDB"_qs)->setText(file(QStringLiteral("参照.db")));
        start(file(u"todo.glo"_qs), file(u"reference.glo"_qs), file(u"first.glo"_qs));
        QVERIFY(m_messages.boxes.isEmpty());
        QVERIFY(QFileInfo(file(QStringLiteral("参照.db"))).size() > 0);
        verifyFinished(0, TimeAndSize);

        options->checkBox(u"chkSaveRefDB"_qs)->setChecked(false);
        const BusyLook busy = start(file(u"todo.u.txt"_qs), file(QStringLiteral("参照.db")), file(u"second.u.txt"_qs));

        QVERIFY(m_messages.boxes.isEmpty());
        QCOMPARE(busy.stages.size(), 4);
        for (const StageLook &look : busy.stages) {
            QCOMPARE(look.caption, QString());
            QCOMPARE(look.background, StatePanel::NeutralBackground);
            QCOMPARE(look.text, StatePanel::PendingText);
        }
        QCOMPARE(contents(file(u"second.u.txt"_qs)), gb18030(translatedText(u"Help"_qs)));
        verifyPending(0);
        verifyFinished(1, TimeAndSize);
        verifyFinished(2, TimeOnly);
        verifyFinished(3, TimeOnly);
        QCOMPARE(history(u"cboRefer"_qs), (QStringList{file(QStringLiteral("参照.db")), file(u"reference.glo"_qs)}));
        QCOMPARE(m_window->driver().ReferenceDatabasePath(), file(QStringLiteral("参照.db")));
    }

    // Errors of the driver itself: the box, the window back, the histories untouched.
    void reportsJobsThatCannotStart_data()
    {
        QTest::addColumn<QString>("todo");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("box");
        QTest::newRow("missing reference") << u"todo.glo"_qs << u"missing.glo"_qs << FormatError;
        QTest::newRow("to-do is no dictionary") << u"notes.txt"_qs << u"reference.glo"_qs << FormatError;
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
            verifyPending(i);
        verifyIdleAgain();
        QCOMPARE(history(u"cboToDo"_qs), QStringList());
        QCOMPARE(history(u"cboFinal"_qs), QStringList());
        QCOMPARE(combo(u"cboToDo"_qs)->currentText(), file(todo));
    }

    // Closing from the title bar while the job runs would pull the window from under it.
    void staysOpenWhileAJobRuns()
    {
        bool closed = true;
        QTimer::singleShot(0, this, [&] { closed = m_window->close(); });
        start(file(u"todo.glo"_qs), file(u"reference.glo"_qs), file(u"busy.glo"_qs));
        QVERIFY(!closed);
        QVERIFY(m_window->isVisible());
        QCOMPARE(contents(file(u"busy.glo"_qs)), gb18030(QStringLiteral("9 1\t4 2\r\n") + TranslatedGlossary));
        QVERIFY(m_window->close());
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
