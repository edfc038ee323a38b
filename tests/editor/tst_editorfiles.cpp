#include "EditorFixture.h"

#include "FileHistory.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

class EditorFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void failsWithoutCrashing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        // Named on the command line rather than chosen with the open command.
        QTest::addColumn<bool>("given");
        QTest::newRow("empty file given") << u"empty.a.txt"_qs << QByteArray() << true;
        QTest::newRow("byte-order mark only given") << u"bom.a.txt"_qs << QByteArray("\xEF\xBB\xBF") << true;
        QTest::newRow("number line only given") << u"cut.a.txt"_qs << QByteArray("\r\n1:Open") << true;
        QTest::newRow("missing file") << u"missing.a.txt"_qs << QByteArray() << false;
        QTest::newRow("unknown content and name") << u"notes.doc"_qs << QByteArray("just words\r\n") << false;
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(static_cast<char>((i * 37) % 256 == 9 ? 0 : (i * 37) % 256));
        QTest::newRow("binary") << u"image.bin"_qs << binary << false;
    }
    void failsWithoutCrashing()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, given);
        EditorFixture editor;
        const QString path = name.startsWith(u"missing") ? editor.path(name) : editor.write(name, bytes);
        editor.dialogs.choose(path);
        editor.messages.answers = {MessageService::Ok};
        if (given)
            editor.window->OpenGivenFile(path);
        else
            editor.trigger(u"miFOpen"_qs);
        QCOMPARE(editor.messages.texts().constLast(), u"打开文件失败!"_qs);
        QCOMPARE(editor.messages.shown.constLast().icon, MessageService::Icon::Exclamation);
        QCOMPARE(editor.window->windowTitle(), u"Quillet"_qs);
        QVERIFY(editor.window->recentFiles().isEmpty());
        QVERIFY(editor.window->isEnabled());
    }

    void asksBeforeOpeningAnUnknownName_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opened");
        QTest::newRow("continue") << int(MessageService::Ok) << true;
        QTest::newRow("cancel") << int(MessageService::Cancel) << false;
    }
    void asksBeforeOpeningAnUnknownName()
    {
        QFETCH(int, answer);
        QFETCH(bool, opened);
        EditorFixture editor;
        editor.dialogs.choose(editor.copy(u"sample.a.txt"_qs, u"dict.txt"_qs));
        editor.messages.answers = {answer};
        editor.trigger(u"miFReOpen"_qs);
        QCOMPARE(editor.dialogs.asked.filters.value(0), u"所支持的格式(a.txt;u.txt;a.csv;u.csv;glo)|*.txt;*.csv;*.glo"_qs);
        QCOMPARE(editor.messages.texts(),
                 QStringList{u"文件的后缀不是“.a.txt”或“.u.txt”或“.a.csv”或“.u.csv”\r\n此文件可能不是本编辑器所能识别的文件格式。要继续吗？"_qs});
        QCOMPARE(!editor.window->CurrentDocumentPath().isEmpty(), opened);
    }

    void keepsTheRecentFiles()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs, u"one.a.txt"_qs));
        QVERIFY(editor.open(u"keys.a.csv"_qs, u"two.a.csv"_qs));
        QCOMPARE(editor.window->windowTitle(), u"two.a.csv - Quillet"_qs);
        QCOMPARE(editor.grid().row(), 1);
        const QString ini = AppFolder::file(u"Quillet.ini"_qs);
        const QString one = editor.path(u"one.a.txt"_qs);
        const QString two = editor.path(u"two.a.csv"_qs);
        QCOMPARE(FileHistory::load(ini, u"MRUFileList"_qs).value(), (QStringList{two, one}));

        // A cancelled save question keeps the entry and the document.
        editor.window->MarkModified();
        editor.messages.answers = {MessageService::Cancel};
        editor.window->OpenRecentFile(one);
        QCOMPARE(editor.window->recentFiles().size(), 2);
        QCOMPARE(editor.window->CurrentDocumentPath(), two);
        QVERIFY(editor.window->isModified());

        // A missing file leaves the list quietly.
        QFile::remove(one);
        editor.messages.shown.clear();
        editor.messages.answers = {MessageService::No};
        editor.window->OpenRecentFile(one);
        QCOMPARE(editor.messages.texts(), QStringList{u"当前打开的文件已经被更改，想要保存文件吗？"_qs});
        QCOMPARE(FileHistory::load(ini, u"MRUFileList"_qs).value(), QStringList{two});
        frmMain next;
        QCOMPARE(next.recentFiles(), QStringList{two});
    }

    void opensDroppedFiles_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("dictionary") << true;
        QTest::newRow("missing") << false;
    }
    void opensDroppedFiles()
    {
        QFETCH(bool, exists);
        EditorFixture editor;
        const QString path = exists ? editor.copy(u"numbers.glo"_qs) : editor.path(u"gone.glo"_qs);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor.window->fg->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(editor.window->fg->viewport(), &drop);
        QCOMPARE(editor.window->CurrentDocumentPath().isEmpty(), !exists);
        QCOMPARE(editor.messages.texts(), exists ? QStringList() : QStringList{u"打开文件失败!"_qs});
    }

    // The type is chosen in a real file dialog; its index names the file.
    void savesAsTheChosenType_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("saved");
        QTest::newRow("first type") << u"dict"_qs << 1 << u"dict.a.txt"_qs;
        QTest::newRow("second type") << u"dict"_qs << 2 << u"dict.u.txt"_qs;
        QTest::newRow("third type") << u"dict"_qs << 3 << u"dict.a.csv"_qs;
        QTest::newRow("fourth type") << u"dict"_qs << 4 << u"dict.u.csv"_qs;
        QTest::newRow("glossary") << u"terms"_qs << 5 << u"terms.glo"_qs;
        QTest::newRow("ending kept") << u"dict.u.txt"_qs << 2 << u"dict.u.txt"_qs;
        QTest::newRow("other ending extended") << u"dict.txt"_qs << 2 << u"dict.txt.u.txt"_qs;
        QTest::newRow("case ignored") << u"DICT.A.CSV"_qs << 3 << u"DICT.A.CSV"_qs;
    }
    void savesAsTheChosenType()
    {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QFETCH(QString, saved);
        EditorFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs));
        editor.window->MarkModified();
        editor.dialogs.choose(editor.path(typed), filter);
        editor.trigger(u"miFSaveAs"_qs);
        QCOMPARE(editor.dialogs.asked.filters,
                 (QStringList{u"青墨文本(*.a.txt)|*.txt"_qs, u"青墨文本(*.u.txt)|*.txt"_qs, u"本编辑器文本(*.a.csv)|*.csv"_qs,
                              u"本编辑器文本(*.u.csv)|*.csv"_qs, u"PASSOLO字典(*.glo)|*.glo"_qs}));
        QVERIFY(editor.messages.shown.isEmpty());
        QVERIFY(QFile::exists(editor.path(saved)));
        QCOMPARE(editor.window->windowTitle(), saved + u" - Quillet"_qs);
        QCOMPARE(editor.window->recentFiles().value(0), editor.path(saved));
    }

    void answersTheSaveQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("saved");
        QTest::newRow("yes") << int(MessageService::Yes) << 6 << true;
        QTest::newRow("no") << int(MessageService::No) << 7 << false;
        QTest::newRow("cancel") << int(MessageService::Cancel) << 2 << false;
    }
    void answersTheSaveQuestion()
    {
        QFETCH(int, answer);
        QFETCH(int, result);
        QFETCH(bool, saved);
        EditorFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs));
        QCOMPARE(editor.window->AskSaveChanges(), 0);
        QVERIFY(editor.messages.shown.isEmpty());
        editor.grid().setCursor(1);
        editor.trigger(u"miSTno"_qs);
        editor.messages.answers = {answer};
        QCOMPARE(editor.window->AskSaveChanges(), result);
        QCOMPARE(editor.messages.texts(), QStringList{u"当前打开的文件已经被更改，想要保存文件吗？"_qs});
        QCOMPARE(editor.messages.shown[0].buttons, MessageService::Buttons::YesNoCancel);
        QCOMPARE(QFile::exists(editor.path(u"sample.a.csv"_qs)), saved);
        QCOMPARE(editor.window->isModified(), !saved);
    }

    void failedSaveKeepsTheDocumentModified_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder missing") << u"nowhere/d.a.txt"_qs << true << u"错误:75"_qs;
        QTest::newRow("target is a folder") << u"folder.a.txt"_qs << true << u"错误:"_qs;
        QTest::newRow("companion is a folder") << u"other.a.txt"_qs << true << u"错误:"_qs;
        QTest::newRow("wrong extension") << u"x.doc"_qs << false << u"文件扩展名不符:\r\n"_qs;
    }
    void failedSaveKeepsTheDocumentModified()
    {
        QFETCH(QString, target);
        QFETCH(bool, saveAs);
        QFETCH(QString, message);
        EditorFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs, u"d.a.txt"_qs));
        QDir(editor.path(QString())).mkdir(u"folder.a.txt"_qs);
        QDir(editor.path(QString())).mkdir(u"other.a.csv"_qs);
        editor.grid().setCursor(2);
        editor.trigger(u"miEResume"_qs);
        editor.dialogs.choose(editor.path(target), 1);
        if (saveAs)
            editor.trigger(u"miFSaveAs"_qs);
        else
            QVERIFY(!editor.window->SaveDocument(editor.path(target)));
        QCOMPARE(editor.messages.shown.size(), 1);
        QVERIFY2(editor.messages.texts()[0].startsWith(message), qPrintable(editor.messages.texts()[0]));
        QCOMPARE(editor.messages.shown[0].icon, MessageService::Icon::Critical);
        QCOMPARE(editor.window->windowTitle(), u"*d.a.txt - Quillet"_qs);
        QCOMPARE(editor.bytes(u"d.a.txt"_qs), testData(u"editor/sample.a.txt"_qs));
        QVERIFY(QFileInfo(editor.path(u"folder.a.txt"_qs)).isDir());
        QVERIFY(!QFile::exists(editor.path(u"x.doc"_qs)));
        QVERIFY(editor.window->isEnabled());
        QVERIFY(!editor.window->session().EditSuppressed);

        // Yes to the question, and the save fails: the action asked for is not taken.
        editor.messages.answers = {MessageService::Yes};
        QVERIFY(QFile::remove(editor.path(u"d.a.txt"_qs)) && QDir(editor.path(QString())).mkdir(u"d.a.txt"_qs));
        QCOMPARE(editor.window->AskSaveChanges(), int(MessageService::Cancel));
    }

    void savingKeepsTheCollapsedGroups()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"groups.a.csv"_qs));
        editor.trigger(u"miVSort"_qs);
        editor.grid().setCursor(1);
        QTest::keyClick(editor.window->fg, Qt::Key_Left);
        // Collapsed by the program, not by the user: not kept.
        editor.grid().setCollapsed(6, true);
        editor.window->MarkModified();
        editor.trigger(u"miFSave"_qs);
        QCOMPARE(editor.bytes(u"groups.a.csv"_qs), testData(u"editor/groups-saved.a.csv"_qs));
        QCOMPARE(editor.grid().DisplayMode(), 1);
        QVERIFY(editor.grid().isCollapsed(1));
        QVERIFY(!editor.grid().isCollapsed(4));
        QVERIFY(!editor.grid().isCollapsed(6));
        QCOMPARE(editor.grid().row(), 1);
    }

    void noTabOrLineBreakReachesAFile()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs));
        editor.grid().setCursor(2);
        editor.typeTranslation(u"打开\tCtrl+O"_qs);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
        editor.trigger(u"miFSave"_qs);
        QVERIFY(editor.text(u"sample.a.txt"_qs).contains(u"\r\n2:Open\r\n打开\\tCtrl+O\r\n"_qs));
    }
};

QTEST_MAIN(EditorFilesTest)
#include "tst_editorfiles.moc"
