// The document commands of the main window: opening, saving and the save question, as
// thin calls onto the document session.

#include "frmMain.h"

#include "DocumentSession.h"
#include "FileDialogs.h"
#include "MessageService.h"
#include "RecoveryKeeper.h"
#include "YieldClock.h"
#include "formats/DictionaryFormats.h"

#include <QFileInfo>

namespace {

void showOpenFailed(QWidget *parent)
{
    askUser(parent, QStringLiteral("打开文件失败!"), MessageService::Buttons::Ok, MessageService::Icon::Exclamation);
}

}

bool frmMain::ActFileOpen(const QString &path)
{
    return openFile(path) == OpenResult::Loaded;
}

void frmMain::OpenGivenFile(const QString &path)
{
    if (openFile(path) == OpenResult::Failed)
        showOpenFailed(this);
}

frmMain::OpenResult frmMain::openFile(const QString &path)
{
    if (AskSaveChanges() == MessageService::Cancel)
        return OpenResult::Cancelled;
    if (!m_session->open(path))
        return OpenResult::Failed;
    AddToRecentFiles(m_session->path());
    m_recovery->offerForOpenDocument();
    return OpenResult::Loaded;
}

MessageService::Answer frmMain::AskSaveChanges()
{
    if (!m_session->isModified())
        return MessageService::NotAsked;
    const MessageService::Answer answer = askUser(this, QStringLiteral("当前打开的文件已经被更改，想要保存文件吗？"),
                               MessageService::Buttons::YesNoCancel, MessageService::Icon::Exclamation);
    if (answer == MessageService::Yes)
        return SaveDocument(m_session->path()) ? MessageService::Yes : MessageService::Cancel;
    return answer == MessageService::No ? MessageService::No : MessageService::Cancel;
}

bool frmMain::SaveDocument(const QString &path)
{
    return m_session->save(path);
}

void frmMain::SaveDocumentAs()
{
    FileDialogOptions options;
    options.title = QStringLiteral("另存为");
    options.filters = m_session->saveAsFilters();
    options.startFolder = m_session->documentFolder();
    options.fileName = QFileInfo(m_session->path()).fileName();
    options.filterIndex = m_session->saveAsFilterIndex();
    const FileDialogChoice choice = ShowSaveDialog(this, options);
    if (choice.accepted && m_session->saveAs(choice.fileName, choice.filterIndex))
        AddToRecentFiles(m_session->path());
}

void frmMain::OpenDocumentDialog()
{
    FileDialogOptions options;
    options.title = QStringLiteral("打开");
    options.filters = DictionaryFormats::openDocumentFilters();
    options.startFolder = m_session->documentFolder();
    const FileDialogChoice choice = ShowOpenDialog(this, options);
    if (!choice.accepted)
        return;
    if (!DocumentSession::hasEditorEnding(choice.fileName)
        && askUser(this,
                   QStringLiteral("文件的后缀不是“.a.txt”或“.u.txt”或“.a.csv”或“.u.csv”\r\n"
                                  "此文件可能不是本编辑器所能识别的文件格式。要继续吗？"),
                   MessageService::Buttons::OkCancel, MessageService::Icon::Exclamation)
                == MessageService::Cancel)
        return;
    YieldClock().yieldNow();
    OpenGivenFile(choice.fileName);
}
