// The document commands of the main window: opening, saving and the save question.

#include "frmMain.h"

#include "DictionaryFiles.h"
#include "DocumentFiles.h"
#include "EditorSettings.h"
#include "FileDialogs.h"
#include "FormatDetection.h"
#include "MessageService.h"
#include "TextFile.h"
#include "YieldClock.h"
#include "cCtrlFlexGrid.h"
#include "frmTEdit.h"

#include <QApplication>
#include <QFileInfo>

#include <future>
#include <optional>

namespace {

// While a file is read or written: busy pointer, the status text in the edit pane, and
// the window disabled so that no command can start meanwhile.
class BusyScope {
public:
    BusyScope(QWidget &window, frmTEdit &pane, bool &busy, const QString &status)
        : m_window(window), m_pane(pane), m_busy(busy)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_pane.setStatusText(status);
        m_window.setEnabled(false);
        m_busy = true;
    }

    ~BusyScope()
    {
        m_busy = false;
        m_window.setEnabled(true);
        m_pane.showLengthLine();
        QApplication::restoreOverrideCursor();
    }

    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    QWidget &m_window;
    frmTEdit &m_pane;
    bool &m_busy;
};

using Reader = void (*)(const QString &, DictionaryDocument &, const DocumentFiles::Tick &);

// The entries read before an error stay in the document; the error is reported once the
// window is usable again.
DictionaryDocument readDocument(const QString &path, Reader read, const QString &procedure,
                                std::optional<ErrorReport> &error)
{
    DictionaryDocument document;
    YieldClock clock;
    try {
        read(path, document, [&clock] { clock.yieldIfDue(); });
    } catch (const AppError &failure) {
        error = failure.reportAt(formLocation(QStringLiteral("frmMain"), procedure));
    }
    return document;
}

void showCritical(QWidget *parent, const QString &text)
{
    askUser(parent, text, MessageService::Buttons::Ok, MessageService::Icon::Critical);
}

void showOpenFailed(QWidget *parent)
{
    askUser(parent, QStringLiteral("打开文件失败!"), MessageService::Buttons::Ok, MessageService::Icon::Exclamation);
}

const QStringList SaveAsEndings{QStringLiteral(".a.txt"), QStringLiteral(".u.txt"), QStringLiteral(".a.csv"),
                                QStringLiteral(".u.csv"), QStringLiteral(".glo")};

bool hasEditorEnding(const QString &path)
{
    const QString name = path.toLower();
    return std::any_of(SaveAsEndings.begin(), SaveAsEndings.end(),
                       [&name](const QString &ending) { return name.endsWith(ending); });
}

}

bool frmMain::ActFileOpen(const QString &path)
{
    return openFile(path) == OpenResult::Loaded;
}

frmMain::OpenResult frmMain::openFile(const QString &path)
{
    if (AskSaveChanges() == MessageService::Cancel)
        return OpenResult::Cancelled;
    const bool loaded = QFileInfo(path).isFile() && loadByContent(path);
    if (loaded) {
        m_documentPath = QFileInfo(path).absoluteFilePath();
        m_modified = false;
        showCaption();
        AddToRecentFiles(m_documentPath);
    }
    EditSuppressed = false;
    return loaded ? OpenResult::Loaded : OpenResult::Failed;
}

// The content decides before the name: a ".txt" file of single-tab lines is a glossary.
bool frmMain::loadByContent(const QString &path)
{
    DictionaryFormat format = DictionaryFormat::Unrecognised;
    try {
        format = DetectDictionaryFormat(path);
    } catch (const AppError &) {
        return false;
    }
    if (format == DictionaryFormat::Glossary) {
        LoadTabText(path);
        return true;
    }
    if (format == DictionaryFormat::TwoLineText) {
        LoadASCIIText(path);
        return true;
    }
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == u"glo")
        LoadTabText(path);
    else if (extension == u"txt")
        LoadASCIIText(path);
    else if (extension == u"csv")
        LoadTableText(path);
    else
        return false;
    return true;
}

void frmMain::LoadASCIIText(const QString &path)
{
    std::optional<ErrorReport> error;
    {
        BusyScope busy(*this, *m_pane, m_busy, QStringLiteral("正在打开..."));
        m_grid->model().replaceDocument(
                readDocument(path, DocumentFiles::readTwoLineText, QStringLiteral("LoadASCIIText"), error));
        m_grid->DisplayAlphabetic(false);
    }
    if (error)
        showErrorBox(this, *error);
}

void frmMain::LoadTabText(const QString &path)
{
    std::optional<ErrorReport> error;
    {
        BusyScope busy(*this, *m_pane, m_busy, QStringLiteral("正在打开..."));
        m_grid->showDocument(readDocument(path, DocumentFiles::readGlossary, QStringLiteral("LoadTabText"), error));
    }
    if (error)
        showErrorBox(this, *error);
}

void frmMain::LoadTableText(const QString &path)
{
    std::optional<ErrorReport> error;
    {
        BusyScope busy(*this, *m_pane, m_busy, QStringLiteral("正在打开..."));
        m_grid->showDocument(readDocument(path, DocumentFiles::readTableText, QStringLiteral("ActFileOpen"), error));
    }
    if (error)
        showErrorBox(this, *error);
}

int frmMain::AskSaveChanges()
{
    if (!m_modified)
        return 0;
    const int answer = askUser(this, QStringLiteral("当前打开的文件已经被更改，想要保存文件吗？"),
                               MessageService::Buttons::YesNoCancel, MessageService::Icon::Exclamation);
    if (answer == MessageService::Yes)
        return SaveDocument(m_documentPath) ? MessageService::Yes : MessageService::Cancel;
    return answer == MessageService::No ? MessageService::No : MessageService::Cancel;
}

bool frmMain::SaveDocument(const QString &path)
{
    if (path.isEmpty()) {
        showCritical(this, QStringLiteral("保存的文件名为空"));
        return false;
    }
    EditSuppressed = true;
    const int displayMode = m_grid->DisplayMode();
    const int topRow = m_grid->topRow();
    const int currentRow = m_grid->row();
    QString failure;
    {
        BusyScope busy(*this, *m_pane, m_busy, QStringLiteral("正在保存..."));
        YieldClock clock;
        m_grid->DisplayAlphabetic(true);
        clock.yieldNow();
        failure = writeDocumentFiles(path, clock);
        if (displayMode == 1) {
            m_grid->DisplayCategorized(true);
            collapseFlaggedGroups();
        }
        m_grid->setCursor(currentRow);
        m_grid->setTopRow(topRow);
        m_grid->setRedraw(true);
    }
    const bool saved = failure.isEmpty();
    if (saved) {
        m_modified = false;
        showCaption();
    } else {
        showCritical(this, failure);
    }
    EditSuppressed = false;
    return saved;
}

// The text of the box that reports a failure; empty when every file was written.
QString frmMain::writeDocumentFiles(const QString &path, YieldClock &clock)
{
    const DictionaryFiles::SaveFormat format = DictionaryFiles::saveFormat(path);
    if (format == DictionaryFiles::SaveFormat::None)
        return QStringLiteral("文件扩展名不符:\r\n") + path;
    const DictionaryDocument &document = m_grid->model().document();
    const QString companion = EditorSettings::noSaveExtra() ? QString() : DictionaryFiles::companionPath(path);
    try {
        // The companion is written on a second core meanwhile, from the same unchanging
        // document (the window is disabled). Neither file replaces its target before both
        // were written completely.
        std::future<std::unique_ptr<TextFileWriter>> companionJob;
        if (!companion.isEmpty())
            companionJob = std::async(std::launch::async, [&document, companion] {
                return DocumentFiles::writeUncommitted(document, companion, DictionaryFiles::saveFormat(companion), [] {});
            });
        const std::unique_ptr<TextFileWriter> file =
                DocumentFiles::writeUncommitted(document, path, format, [&clock] { clock.yieldIfDue(); });
        const std::unique_ptr<TextFileWriter> companionFile = companionJob.valid() ? companionJob.get() : nullptr;
        file->commit();
        if (companionFile)
            companionFile->commit();
    } catch (const AppError &error) {
        return error.reportAt(formLocation(QStringLiteral("frmMain"), QStringLiteral("SaveDocument"))).boxText();
    }
    return QString();
}

void frmMain::collapseFlaggedGroups()
{
    if (!m_grid->CollapsedGroups.any())
        return;
    for (int group = 0; group < m_grid->model().groupCount(); ++group) {
        if (m_grid->CollapsedGroups.isSet(m_grid->model().groupLabel(group)))
            m_grid->setCollapsed(m_grid->model().groupHeaderRow(group), true);
    }
}

void frmMain::SaveDocumentAs()
{
    FileDialogOptions options;
    options.title = QStringLiteral("另存为");
    options.filters = {QStringLiteral("青墨文本(*.a.txt)|*.txt"), QStringLiteral("青墨文本(*.u.txt)|*.txt"),
                       QStringLiteral("本编辑器文本(*.a.csv)|*.csv"), QStringLiteral("本编辑器文本(*.u.csv)|*.csv"),
                       QStringLiteral("PASSOLO字典(*.glo)|*.glo")};
    const FileDialogChoice choice = ShowSaveDialog(this, options);
    if (!choice.accepted)
        return;
    QString name = choice.fileName;
    name.remove(QChar(u'\0'));
    if (choice.filterIndex >= 1 && choice.filterIndex <= SaveAsEndings.size()) {
        const QString &ending = SaveAsEndings[choice.filterIndex - 1];
        if (!QFileInfo(name).fileName().toLower().endsWith(ending))
            name += ending;
    }
    YieldClock().yieldNow();
    if (!SaveDocument(name))
        return;
    m_documentPath = name;
    showCaption();
    AddToRecentFiles(name);
}

void frmMain::OpenDocumentDialog()
{
    FileDialogOptions options;
    options.title = QStringLiteral("打开");
    options.filters = {QStringLiteral("所支持的格式(a.txt;u.txt;a.csv;u.csv;glo)|*.txt;*.csv;*.glo"),
                       QStringLiteral("青墨文本(*.a.txt;*.u.txt)|*.txt"),
                       QStringLiteral("本编辑器文本(*.a.csv;*.u.csv)|*.csv"), QStringLiteral("PASSOLO字典(*.glo)|*.glo")};
    const FileDialogChoice choice = ShowOpenDialog(this, options);
    if (!choice.accepted)
        return;
    if (!hasEditorEnding(choice.fileName)
        && askUser(this,
                   QStringLiteral("文件的后缀不是“.a.txt”或“.u.txt”或“.a.csv”或“.u.csv”\r\n"
                                  "此文件可能不是本编辑器所能识别的文件格式。要继续吗？"),
                   MessageService::Buttons::OkCancel, MessageService::Icon::Exclamation)
                == MessageService::Cancel)
        return;
    YieldClock().yieldNow();
    if (openFile(choice.fileName) == OpenResult::Failed)
        showOpenFailed(this);
}
