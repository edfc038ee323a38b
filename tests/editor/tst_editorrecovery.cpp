#include "EditorFixture.h"

#include "RecoveryFile.h"
#include "RecoveryKeeper.h"
#include "cInifile.h"

#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>

#include <csignal>
#include <cstdio>

namespace {

// A translation typed, a status set and a source put back, with the window's own keys
// and commands.
void editEveryWay(EditorFixture &editor)
{
    editor.grid().setCursor(2);
    editor.typeTranslation(u"存"_qs);
    QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
    editor.grid().setCursor(3);
    editor.trigger(u"miSTck"_qs);
    editor.grid().setCursor(4);
    editor.trigger(u"miEResume"_qs);
}

RecoveryKeeper &keeper(const EditorFixture &editor)
{
    return *editor.window->findChild<RecoveryKeeper *>();
}

// The child process: edits grid.a.csv in the folder given, waits until its recovery file
// is written, prints "ready" and its rows, and runs until it is killed.
int runChild(const QString &folder)
{
    EditorFixture editor(u"grid.a.csv"_qs, folder);
    editEveryWay(editor);
    QSignalSpy written(&keeper(editor), &RecoveryKeeper::written);
    if (!written.wait(20000))
        return 1;
    const QByteArray line = "ready " + editor.rows().join(u';').toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
    return QApplication::exec();
}

}

class EditorRecoveryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A Quillet killed with SIGKILL after its recovery file was written: the next one
    // offers it when the document is opened and brings back every change.
    void restoresWhatAKilledEditorHadNotSaved()
    {
        QTemporaryDir folder;
        cInifile(folder.filePath(u"Quillet.ini"_qs), u"OPTION"_qs).setValue(u"RecoverySeconds"_qs, u"1"_qs);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {u"--child"_qs, folder.path()});
        QByteArray output;
        while (!output.contains('\n') && child.waitForReadyRead(30000))
            output += child.readAllStandardOutput();
        QVERIFY2(output.startsWith("ready "), output.constData());
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        EditorFixture editor(QString(), folder.path());
        editor.messages.answers = {MessageService::Yes};
        QVERIFY(editor.window->ActFileOpen(editor.path(u"grid.a.csv"_qs)));
        QCOMPARE(editor.rows().join(u';'), QString::fromUtf8(output.mid(6).trimmed()));
        QVERIFY(editor.window->windowTitle().startsWith(u'*'));
        QTest::keyClick(editor.window->fg, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!RecoveryFile(editor.path(u"grid.a.csv"_qs)).exists());
    }

    // A window dropped without closing, as in a crash, leaves its recovery file; one
    // closed without saving does not.
    void offersTheRecoveryFile_data()
    {
        addTestTable(u"editor/recovery-offers.txt"_qs, {"first", "start", "answer", "rows", "file", "boxes"});
    }
    void offersTheRecoveryFile()
    {
        const auto [first, start, answer] = fields("first", "start", "answer");
        EditorFixture editor(u"grid.a.csv"_qs);
        const QStringList original = editor.rows();
        editEveryWay(editor);
        const QStringList edited = editor.rows();
        keeper(editor).writeNow();
        editor.messages.answers = {MessageService::No};
        if (first == u"closed")
            QVERIFY(editor.window->close());
        editor.window.reset();
        if (first == u"dropped, file changed")
            editor.copy(u"grid-changed.a.csv"_qs, u"grid.a.csv"_qs);

        editor.messages.boxes.clear();
        editor.messages.answers = {answer == u"Yes" ? MessageService::Yes
                                   : answer == u"No" ? MessageService::No : MessageService::Cancel};
        editor.window = std::make_unique<frmMain>();
        if (start == u"open")
            QVERIFY(editor.window->ActFileOpen(editor.path(u"grid.a.csv"_qs)));
        else
            editor.window->offerRecovery();
        const QStringList rows = editor.rows();
        QTEST(rows == edited ? u"edited"_qs : rows == original ? u"original"_qs : rows.isEmpty() ? u"none"_qs : u"other"_qs,
              "rows");
        QTEST(RecoveryFile(editor.path(u"grid.a.csv"_qs)).exists() ? u"kept"_qs : u"gone"_qs, "file");
        QTEST(QString::number(editor.messages.boxes.size()), "boxes");
        QCOMPARE(editor.window->isModified(), rows == edited);
    }

    // The question in a real message box, answered with its Yes button.
    void asksInARealMessageBox()
    {
        EditorFixture editor(u"grid.a.csv"_qs);
        editor.trigger(u"miSTno"_qs);
        keeper(editor).writeNow();
        editor.window.reset();
        MessageService::setInstance(nullptr);
        QString asked;
        QTimer::singleShot(0, [&asked] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            asked = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        editor.window = std::make_unique<frmMain>();
        QVERIFY(editor.window->ActFileOpen(editor.path(u"grid.a.csv"_qs)));
        QVERIFY2(asked.startsWith(u"“grid.a.csv”有上次未保存的修改"), qPrintable(asked));
        QCOMPARE(editor.rows().value(0), u"不译|1|Delete|删除"_qs);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(QString::fromLocal8Bit(argv[2]));
    EditorRecoveryTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_editorrecovery.moc"
