#include "EditorFixture.h"

#include "EditorSettings.h"
#include "FileHistory.h"
#include "StatusFile.h"
#include "cInifile.h"
#include "frmAbout.h"
#include "frmOption.h"

#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QSpinBox>
#include <QUrl>

class EditorWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { EditorSettings::setResetLayoutOnExit(false); }

    // Twips from a normal window; a maximised one writes only its state.
    void keepsThePositionInTwips()
    {
        EditorFixture editor;
        editor.window->setGeometry(100, 80, 700, 500);
        QVERIFY(editor.window->close());
        cInifile ini(EditorSettings::iniPath(), u"wndsize"_qs);
        QCOMPARE(ini.value(u"width"_qs), QString::number(editor.window->width() * 15));
        QCOMPARE(ini.value(u"state"_qs), u"0"_qs);

        ini.setValue(u"left"_qs, u"1500"_qs);
        ini.setValue(u"top"_qs, u"garbage"_qs);
        ini.setValue(u"width"_qs, u"9000"_qs);
        editor.window = std::make_unique<frmMain>();
        QCOMPARE(editor.window->x(), 100);
        QVERIFY(editor.window->width() != 9000 / 15);

        for (const QString &key : {u"left"_qs, u"top"_qs})
            ini.setValue(key, u"1515"_qs);
        editor.window->showMaximized();
        QVERIFY(editor.window->close());
        QCOMPARE(ini.value(u"state"_qs), u"2"_qs);
        QCOMPARE(ini.value(u"left"_qs), u"1515"_qs);
        frmMain restored;
        QVERIFY(restored.windowState() & Qt::WindowMaximized);
    }

    // The pane comes back from the View menu. The layout is deleted at the shut-down after
    // the option was chosen; the next run starts with the option off and saves one again.
    void paneComesBackFromTheViewMenuAndKeepsItsLayout()
    {
        EditorFixture editor;
        editor.pane().close();
        editor.trigger(u"miVEditPane"_qs);
        QVERIFY(editor.pane().isVisible());
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

    // Yes saves and closes, no closes, cancel stays.
    void closingAsksAboutChanges()
    {
        for (const auto answer : {MessageService::Yes, MessageService::No, MessageService::Cancel}) {
            EditorFixture editor(u"sample.a.txt"_qs);
            editor.typeTranslation(u"开"_qs);
            editor.messages.answers = {answer};
            QCOMPARE(editor.window->close(), answer != MessageService::Cancel);
            QCOMPARE(editor.messages.texts(), QStringList{u"当前打开的文件已经被更改，想要保存文件吗？"_qs});
            QCOMPARE(editor.messages.boxes[0].buttons, MessageService::Buttons::YesNoCancel);
            QCOMPARE(QFile::exists(editor.path(u"sample.a.csv"_qs)), answer == MessageService::Yes);
            QCOMPARE(editor.window->isModified(), answer != MessageService::Yes);
        }
    }

    // Each command first commits the edit pane, then shows its dialog, modally, or a box
    // saying why it cannot.
    void everyCommandCommitsThePaneAndShowsItsDialog_data()
    {
        addTestTable(u"editor/window-commands.txt"_qs, {"tool", "shown"});
    }
    void everyCommandCommitsThePaneAndShowsItsDialog()
    {
        QFETCH(QString, tool);
        EditorFixture editor(u"sample.a.txt"_qs);
        editor.typeTranslation(u"退出"_qs);
        QString modal;
        QTimer::singleShot(0, editor.window.get(), [&modal] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                modal = dialog->objectName();
                dialog->close();
            }
        });
        editor.trigger(tool);
        QTEST(editor.messages.texts().value(0).section(u':', 0, 0) + modal, "shown");
        QCOMPARE(editor.rows().value(0), u"已译|1|Exit|退出"_qs);
        QVERIFY(editor.window->isModified());
    }

    // The dialog shows the stored setting; OK stores what it shows, cancel keeps the file.
    // Cancel goes first: OK leaves the layout reset on until the cleanup.
    void optionsOkStoresAndCancelKeeps()
    {
        for (const bool ok : {false, true}) {
            EditorFixture editor;
            cInifile options(EditorSettings::iniPath(), u"OPTION"_qs);
            options.setValue(u"NoSaveExtra"_qs, u"True"_qs);
            frmOption dialog(editor.window.get());
            QVERIFY(showDialog(dialog));
            auto *noSaveExtra = control<QCheckBox>(dialog, u"chkNoSaveExtra"_qs);
            auto *deleteLayout = control<QCheckBox>(dialog, u"chkDeleteLayout"_qs);
            auto *recoverySeconds = control<QSpinBox>(dialog, u"spnRecoverySeconds"_qs);
            QVERIFY(noSaveExtra->isChecked() && !deleteLayout->isChecked() && recoverySeconds->value() == 60);
            noSaveExtra->setChecked(false);
            deleteLayout->setChecked(true);
            recoverySeconds->setValue(5);
            control<QPushButton>(dialog, ok ? u"cmdOK"_qs : u"Command2"_qs)->click();
            QVERIFY(!dialog.isVisible());
            QCOMPARE(options.value(u"NoSaveExtra"_qs), ok ? u"0"_qs : u"True"_qs);
            QCOMPARE(EditorSettings::resetLayoutOnExit(), ok);
            QCOMPARE(EditorSettings::recoverySeconds(), ok ? 5 : 60);
        }
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

    void failsWithoutCrashing_data()
    {
        addTestTable(u"editor/open-failures.txt"_qs, {"name", "how"});
    }
    void failsWithoutCrashing()
    {
        const auto [name, how] = fields("name", "how");
        EditorFixture editor;
        const QString path = name.startsWith(u"empty") ? editor.write(name, QByteArray()) : editor.copyOrMissing(name);
        editor.dialogs.prepare(path);
        editor.messages.answers = {MessageService::Ok};
        if (how == u"given")
            editor.window->OpenGivenFile(path);
        else
            editor.trigger(u"miFOpen"_qs);
        QVERIFY(!editor.messages.boxes.isEmpty());
        QCOMPARE(editor.messages.texts().constLast(), u"打开文件失败!"_qs);
        QCOMPARE(editor.messages.boxes.constLast().icon, MessageService::Icon::Exclamation);
        QCOMPARE(editor.window->windowTitle(), u"Quillet"_qs);
        QVERIFY(editor.window->recentFiles().isEmpty());
        QVERIFY(editor.window->isEnabled());
    }

    void asksBeforeOpeningAnUnknownName()
    {
        for (const bool goOn : {true, false}) {
            EditorFixture editor;
            editor.dialogs.prepare(editor.copy(u"sample.a.txt"_qs, u"dict.txt"_qs));
            editor.messages.answers = {goOn ? MessageService::Ok : MessageService::Cancel};
            editor.trigger(u"miFReOpen"_qs);
            QCOMPARE(editor.dialogs.asked.filters.value(0), u"所支持的格式(a.txt;u.txt;a.csv;u.csv;glo;po;pot;ts)|*.txt;*.csv;*.glo;*.po;*.pot;*.ts"_qs);
            QCOMPARE(editor.messages.texts(),
                     QStringList{u"文件的后缀不是“.a.txt”或“.u.txt”或“.a.csv”或“.u.csv”\r\n此文件可能不是本编辑器所能识别的文件格式。要继续吗？"_qs});
            QCOMPARE(!editor.window->CurrentDocumentPath().isEmpty(), goOn);
        }
    }

    void keepsTheRecentFiles()
    {
        EditorFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs, u"one&.a.txt"_qs));
        QVERIFY(editor.open(u"keys.a.csv"_qs, u"two.a.csv"_qs));
        QCOMPARE(editor.window->windowTitle(), u"two.a.csv - Quillet"_qs);
        QCOMPARE(editor.grid().row(), 1);
        const QString ini = AppFolder::file(u"Quillet.ini"_qs);
        const QString one = editor.path(u"one&.a.txt"_qs);
        const QString two = editor.path(u"two.a.csv"_qs);
        QCOMPARE(FileHistory::load(ini, u"MRUFileList"_qs).value(), (QStringList{two, one}));
        QStringList captions;
        for (const QAction *entry : editor.window->findChild<QMenu *>(u"miOpenMRU"_qs)->actions())
            captions.append(entry->text());
        QCOMPARE(captions, (QStringList{u"&1 "_qs + two, u"&2 "_qs + QString(one).replace(u"&"_qs, u"&&"_qs)}));

        // A cancelled save question keeps the entry and the document.
        editor.trigger(u"miSTno"_qs);
        editor.messages.answers = {MessageService::Cancel};
        editor.window->OpenRecentFile(one);
        QCOMPARE(editor.window->recentFiles().size(), 2);
        QCOMPARE(editor.window->CurrentDocumentPath(), two);
        QVERIFY(editor.window->isModified());

        // A missing file leaves the list quietly.
        QFile::remove(one);
        editor.messages.boxes.clear();
        editor.messages.answers = {MessageService::No};
        editor.window->OpenRecentFile(one);
        QCOMPARE(editor.messages.texts(), QStringList{u"当前打开的文件已经被更改，想要保存文件吗？"_qs});
        QCOMPARE(FileHistory::load(ini, u"MRUFileList"_qs).value(), QStringList{two});
        frmMain next;
        QCOMPARE(next.recentFiles(), QStringList{two});
    }

    // A missing file dropped gives the box; a dictionary dropped then opens.
    void opensDroppedFiles()
    {
        EditorFixture editor;
        for (const QString &name : {u"missing.glo"_qs, u"numbers.glo"_qs}) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(editor.copyOrMissing(name))});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(editor.window->fg->viewport(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(editor.window->fg->viewport(), &drop);
            QCOMPARE(editor.messages.texts(), QStringList{u"打开文件失败!"_qs});
        }
        QCOMPARE(editor.window->CurrentDocumentPath(), editor.path(u"numbers.glo"_qs));
    }

    // The type is chosen in a real file dialog; its index names the file.
    void savesAsTheChosenType_data()
    {
        addTestTable(u"editor/save-as-names.txt"_qs, {"typed", "filter", "saved"});
    }
    void savesAsTheChosenType()
    {
        const auto [typed, filter, saved] = fields("typed", "filter", "saved");
        EditorFixture editor(u"sample.a.txt"_qs);
        editor.trigger(u"miSTno"_qs);
        editor.dialogs.prepare(editor.path(typed), filter.toInt());
        editor.trigger(u"miFSaveAs"_qs);
        QCOMPARE(editor.dialogs.asked.filters,
                 (QStringList{u"青墨文本(*.a.txt)|*.txt"_qs, u"青墨文本(*.u.txt)|*.txt"_qs, u"本编辑器文本(*.a.csv)|*.csv"_qs,
                              u"本编辑器文本(*.u.csv)|*.csv"_qs, u"PASSOLO字典(*.glo)|*.glo"_qs}));
        QVERIFY(editor.messages.boxes.isEmpty());
        QVERIFY(QFile::exists(editor.path(saved)));
        QCOMPARE(editor.window->windowTitle(), saved + u" - Quillet"_qs);
        QCOMPARE(editor.window->recentFiles().value(0), editor.path(saved));
    }

    // The save-as box offers the document's own name and type.
    void offersTheDocumentsNameAndType_data()
    {
        addTestTable(u"editor/save-as-offers.txt"_qs, {"name", "type"});
    }
    void offersTheDocumentsNameAndType()
    {
        QFETCH(QString, name);
        EditorFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs, name));
        editor.trigger(u"miFSaveAs"_qs);
        QCOMPARE(editor.dialogs.asked.fileName, name);
        QTEST(QString::number(editor.dialogs.asked.filterIndex), "type");
    }

    void failedSaveKeepsTheDocumentModified_data()
    {
        addTestTable(u"editor/save-failures.txt"_qs, {"target", "saveAs", "limit", "message"});
    }
    void failedSaveKeepsTheDocumentModified()
    {
        const auto [target, saveAs, limit, message] = fields("target", "saveAs", "limit", "message");
        EditorFixture editor;
        QVERIFY(editor.open(u"sample.a.txt"_qs, u"d.a.txt"_qs));
        QDir(editor.path(QString())).mkdir(u"folder.a.txt"_qs);
        QDir(editor.path(QString())).mkdir(u"other.a.csv"_qs);
        editor.grid().setCursor(2);
        editor.trigger(u"miEResume"_qs);
        editor.dialogs.prepare(editor.path(target), 1);
        if (saveAs == u"as") {
            editor.trigger(u"miFSaveAs"_qs);
        } else {
            const FileSizeLimit sizeLimit(limit.isEmpty() ? RLIM_INFINITY : limit.toULongLong());
            QVERIFY(!editor.window->SaveDocument(editor.path(target)));
        }
        QCOMPARE(editor.messages.boxes.size(), 1);
        const QString box = editor.messages.texts()[0];
        QVERIFY2(box.startsWith(message), qPrintable(box));
        QCOMPARE(editor.messages.boxes[0].icon, MessageService::Icon::Critical);
        QCOMPARE(editor.window->windowTitle(), u"*d.a.txt - Quillet"_qs);
        QCOMPARE(editor.bytes(u"d.a.txt"_qs), testData(u"editor/sample.a.txt"_qs));
        QVERIFY(!QFile::exists(editor.path(u"d.a.csv"_qs)));
        QVERIFY(QFileInfo(editor.path(u"folder.a.txt"_qs)).isDir());
        QVERIFY(!QFile::exists(editor.path(u"x.doc"_qs)));
        QVERIFY(editor.window->isEnabled());
        QVERIFY(editor.isIdle());

        // Yes to the question, and the save fails: the action asked for is not taken.
        editor.messages.answers = {MessageService::Yes};
        QVERIFY(QFile::remove(editor.path(u"d.a.txt"_qs)) && QDir(editor.path(QString())).mkdir(u"d.a.txt"_qs));
        QCOMPARE(editor.window->AskSaveChanges(), MessageService::Cancel);
    }

    // Statuses live in the status file beside a two-line text or a glossary: opening and
    // saving unchanged keeps them; one that holds other entries is replaced only when the
    // user agrees, and then kept aside.
    void keepsTheStatusFile_data()
    {
        addTestTable(u"editor/status-files.txt"_qs, {"data", "name", "statusFile", "answers", "statuses", "files", "asked"});
    }
    void keepsTheStatusFile()
    {
        const auto [data, name, statusFile, answers, asked] = fields("data", "name", "statusFile", "answers", "asked");
        EditorFixture editor;
        const QString path = editor.copy(data, name);
        const QString companion = editor.path(StatusFile::pathFor(name));
        if (!statusFile.isEmpty())
            editor.copy(statusFile, StatusFile::pathFor(name));
        for (const QString &answer : answers.split(u',', Qt::SkipEmptyParts))
            editor.messages.answers.append(answer == u"Ok" ? MessageService::Ok
                                           : answer == u"No" ? MessageService::No : MessageService::Cancel);
        for (int round = 0; round < 3; ++round) {
            QVERIFY(editor.window->ActFileOpen(path));
            if (round == 0) {
                editor.grid().setCursor(1);
                editor.trigger(u"miSTck"_qs);
            }
            if (round < 2)
                QTest::keyClick(editor.window->fg, Qt::Key_S, Qt::ControlModifier);
        }
        QStringList statuses = editor.rows();
        for (QString &row : statuses)
            row = row.section(u'|', 0, 0);
        QTEST(statuses.join(u','), "statuses");
        QTEST(QDir(editor.path(QString())).entryList({u"x.*"_qs}).join(u','), "files");
        QCOMPARE(QString::number(editor.messages.texts().filter(u"状态文件"_qs).size()), asked);
        if (asked != u"0") {
            const QString kept = QFile::exists(companion + u".bak"_qs) ? companion + u".bak"_qs : companion;
            QCOMPARE(readBytes(kept), testData(u"editor/"_qs + statusFile));
        }
    }

    // No to the save question drops the edits: the next document opens unmodified.
    void openingAfterNoGivesAnUnmodifiedDocument()
    {
        EditorFixture editor(u"sample.a.txt"_qs);
        editor.typeTranslation(u"开"_qs);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
        editor.messages.answers = {MessageService::No};
        QVERIFY(editor.open(u"keys.a.csv"_qs));
        QCOMPARE(editor.window->windowTitle(), u"keys.a.csv - Quillet"_qs);
    }

    void savingKeepsTheCollapsedGroups()
    {
        EditorFixture editor(u"groups.a.csv"_qs);
        editor.trigger(u"miVSort"_qs);
        editor.grid().setCursor(1);
        QTest::keyClick(editor.window->fg, Qt::Key_Left);
        editor.grid().setCollapsed(6, true);
        editor.trigger(u"miFSave"_qs);
        QCOMPARE(editor.bytes(u"groups.a.csv"_qs), testData(u"editor/groups-saved.a.csv"_qs));
        QCOMPARE(editor.grid().DisplayMode(), 1);
        QVERIFY(editor.grid().isCollapsed(1));
        QVERIFY(!editor.grid().isCollapsed(4));
        QVERIFY(editor.grid().isCollapsed(6));
        QCOMPARE(editor.grid().row(), 1);
    }

    void noTabOrLineBreakReachesAFile()
    {
        EditorFixture editor(u"sample.a.txt"_qs);
        editor.grid().setCursor(2);
        editor.typeTranslation(u"打开\tCtrl+O"_qs);
        QTest::keyClick(editor.pane().Text2, Qt::Key_Return);
        editor.trigger(u"miFSave"_qs);
        QVERIFY(editor.text(u"sample.a.txt"_qs).contains(u"\r\n2:Open\r\n打开\\tCtrl+O\r\n"_qs));
    }
};

QTEST_MAIN(EditorWindowTest)
#include "tst_editorwindow.moc"
