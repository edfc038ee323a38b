#include "frmMain.h"

#include "EditorSettings.h"
#include "FileHistory.h"
#include "MainMenus.h"
#include "MessageService.h"
#include "ShellActions.h"
#include "StoredText.h"
#include "WindowSize.h"
#include "cCtrlFlexGrid.h"
#include "frmAbout.h"
#include "frmExport.h"
#include "frmFind.h"
#include "frmImport.h"
#include "frmOption.h"
#include "frmTEdit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeData>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSaveFile>
#include <QTreeView>

namespace {

const QString RecentFilesSection = QStringLiteral("MRUFileList");
constexpr QSize DefaultSize(900, 640);
constexpr int DefaultPaneHeight = 150;

QString droppedFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return QString();
}

}

const QString frmMain::ProgramTitle = QStringLiteral("Quillet");

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    resize(DefaultSize);
    showCaption();

    fg = new QTreeView(this);
    fg->setObjectName(QStringLiteral("fg"));
    setCentralWidget(fg);
    m_grid = new cCtrlFlexGrid(this);
    m_grid->BindingToFlexGrid(fg);
    fg->setContextMenuPolicy(Qt::CustomContextMenu);
    fg->viewport()->setAcceptDrops(true);
    fg->viewport()->installEventFilter(this);

    m_menus = new MainMenus(this);
    m_pane = new frmTEdit(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_pane);
    resizeDocks({m_pane}, {DefaultPaneHeight}, Qt::Vertical);

    connect(m_menus, &MainMenus::commandTriggered, this, &frmMain::dispatchCommand);
    connect(fg, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &position) { m_menus->popupMenu()->popup(fg->viewport()->mapToGlobal(position)); });
    connect(fg->selectionModel(), &QItemSelectionModel::currentChanged, this, &frmMain::fillEditPane);
    connect(&m_grid->model(), &QAbstractItemModel::modelReset, this, [this] { m_pane->showEntry(0, {}, {}); });
    connect(m_grid, &cCtrlFlexGrid::cellEdited, this, &frmMain::UpdateToEditBox);
    connect(m_pane, &frmTEdit::updateRequested, this, &frmMain::moveAfterUpdate);

    WindowSize::load(*this, EditorSettings::iniPath());
    restoreLayout();
    m_recentFiles = FileHistory::load(EditorSettings::iniPath(), RecentFilesSection).value_or(QStringList());
    m_menus->setRecentFiles(m_recentFiles);
}

// The grid's cell editor may still commit while the children go: nothing of that may
// reach the half-destroyed window.
frmMain::~frmMain()
{
    fg->viewport()->removeEventFilter(this);
    fg->selectionModel()->disconnect(this);
    m_grid->model().disconnect(this);
    m_grid->disconnect(this);
}

void frmMain::showCaption()
{
    if (m_documentPath.isEmpty()) {
        setWindowTitle(ProgramTitle);
        return;
    }
    const QString caption = QFileInfo(m_documentPath).fileName() + QStringLiteral(" - ") + ProgramTitle;
    setWindowTitle(m_modified ? u'*' + caption : caption);
}

void frmMain::MarkModified()
{
    m_modified = true;
    showCaption();
}

void frmMain::dispatchCommand(const QString &tool, const QString &entry)
{
    UpdateFromEditBox();
    if (tool == u"miFOpen" || tool == u"miFReOpen")
        OpenDocumentDialog();
    else if (tool == u"miTallyra")
        startProcessor();
    else if (tool == u"MRUFileList")
        OpenRecentFile(entry);
    else if (tool == u"miFExit")
        close();
    else if (tool == u"miOption")
        frmOption(this).exec();
    else if (tool == u"miHContent")
        openManual();
    else if (tool == u"miHAbout")
        frmAbout(this).exec();
    else if (!m_documentPath.isEmpty())
        dispatchDocumentCommand(tool);
}

void frmMain::dispatchDocumentCommand(const QString &tool)
{
    static const QHash<QString, QString> statusTools{{QStringLiteral("miSTun"), EntryStatus::Untranslated},
                                                     {QStringLiteral("miSTed"), EntryStatus::Translated},
                                                     {QStringLiteral("miSTno"), EntryStatus::NotToTranslate},
                                                     {QStringLiteral("miSTck"), EntryStatus::Review}};
    if (statusTools.contains(tool))
        SetSelectedStatus(statusTools.value(tool));
    else if (tool == u"miVOrder")
        m_grid->DisplayAlphabetic(false);
    else if (tool == u"miVSort")
        m_grid->DisplayCategorized(false);
    else if (tool == u"miEResume")
        ResumeSelected();
    else if (tool == u"miEFind")
        showFindDialog();
    else if (tool == u"miFSave")
        SaveDocument(m_documentPath);
    else if (tool == u"miFSaveAs")
        SaveDocumentAs();
    else if (tool == u"miFImport")
        frmImport(*this).exec();
    else if (tool == u"miFExport")
        frmExport(*this).exec();
}

// One find dialog at a time; it stays open over the window for repeated searches.
void frmMain::showFindDialog()
{
    if (!m_find) {
        m_find = new frmFind(*this);
        connect(m_find, &frmFind::helpRequested, this, &frmMain::openManual);
    }
    m_find->show();
    m_find->raise();
    m_find->activateWindow();
}

void frmMain::SetSelectedStatus(const QString &status)
{
    if (m_grid->model().setStatus(m_grid->selectedRows(), status) > 0 && !m_documentPath.isEmpty())
        MarkModified();
}

void frmMain::ResumeSelected()
{
    if (m_grid->model().restoreSources(m_grid->selectedRows()) > 0)
        UpdateToEditBox();
}

void frmMain::AddToRecentFiles(const QString &path)
{
    m_recentFiles = FileHistory::add(m_recentFiles, path);
    FileHistory::save(EditorSettings::iniPath(), RecentFilesSection, m_recentFiles);
    m_menus->setRecentFiles(m_recentFiles);
}

// An entry is dropped only when its file could not be opened, not when the user kept
// the current document at the save question.
void frmMain::OpenRecentFile(const QString &path)
{
    if (openFile(path) != OpenResult::Failed)
        return;
    m_recentFiles.removeAll(path);
    FileHistory::save(EditorSettings::iniPath(), RecentFilesSection, m_recentFiles);
    m_menus->setRecentFiles(m_recentFiles);
}

void frmMain::fillEditPane()
{
    UpdateFromEditBox();
    const int row = m_grid->row();
    m_pane->showEntry(row, m_grid->textMatrix(row, GridModel::Source), m_grid->textMatrix(row, GridModel::Translation));
}

void frmMain::UpdateToEditBox()
{
    const int row = m_grid->row();
    if (row == 0)
        return;
    m_pane->loadTranslation(m_grid->textMatrix(row, GridModel::Translation));
    m_pane->setRow(row);
    MarkModified();
}

void frmMain::UpdateFromEditBox()
{
    if (EditSuppressed)
        return;
    const int row = m_pane->row();
    if (row <= 0 || row >= m_grid->rows() || m_grid->isGroupRow(row))
        return;
    const QString typed = m_pane->translation();
    if (typed == m_pane->source() || typed == m_grid->textMatrix(row, GridModel::Translation) || !m_pane->isEdited())
        return;
    m_grid->model().setTranslation(row, StoredText::fromTyped(typed));
    m_grid->model().setStatus(row, EntryStatus::Translated);
    MarkModified();
}

void frmMain::moveAfterUpdate()
{
    UpdateFromEditBox();
    const int current = m_grid->row();
    if (current > 0 && m_pane->updateMode() == frmTEdit::UpdateAndNext) {
        const int next = m_grid->rowBelow(current);
        if (next > 0) {
            m_grid->setCursor(next);
            const int after = m_grid->rowBelow(next);
            if (!m_grid->isRowOnScreen(after > 0 ? after : next))
                m_grid->setTopRow(next);
        }
    } else if (current > 0 && m_pane->updateMode() == frmTEdit::UpdateAndPrevious) {
        const int previous = m_grid->rowAbove(current);
        if (previous > 0) {
            // Judged before the move, which scrolls the row into view by itself.
            const bool shown = m_grid->isRowOnScreen(previous);
            const int top = m_grid->topRow();
            m_grid->setCursor(previous);
            if (!shown)
                m_grid->scrollUpOneScreen(top);
        }
    }
    m_pane->Text2->setFocus();
}

void frmMain::startProcessor()
{
    const QString folder = QCoreApplication::applicationDirPath();
    const QString program = folder + QStringLiteral("/Tallyra");
    if (!QProcess::startDetached(program, {}, folder))
        askUser(this, QStringLiteral("无法启动字典处理程序:\r\n") + program, MessageService::Buttons::Ok,
                MessageService::Icon::Exclamation);
}

void frmMain::openManual()
{
    ::openManual(this, QStringLiteral("Quillet.html"));
}

void frmMain::restoreLayout()
{
    QFile layout(EditorSettings::layoutPath());
    if (layout.open(QIODevice::ReadOnly))
        restoreState(layout.readAll());
}

void frmMain::saveLayout()
{
    if (EditorSettings::resetLayoutOnExit()) {
        QFile::remove(EditorSettings::layoutPath());
        return;
    }
    QSaveFile layout(EditorSettings::layoutPath());
    if (layout.open(QIODevice::WriteOnly) && layout.write(saveState()) >= 0)
        layout.commit();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        event->ignore();
        return;
    }
    UpdateFromEditBox();
    if (AskSaveChanges() == MessageService::Cancel) {
        event->ignore();
        return;
    }
    saveLayout();
    WindowSize::save(*this, EditorSettings::iniPath());
    for (QDialog *dialog : findChildren<QDialog *>())
        dialog->close();
    event->accept();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != fg->viewport())
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *drag = static_cast<QDropEvent *>(event);
        if (droppedFile(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty())
            return false;
        drop->acceptProposedAction();
        UpdateFromEditBox();
        if (openFile(path) == OpenResult::Failed)
            askUser(this, QStringLiteral("打开文件失败!"), MessageService::Buttons::Ok, MessageService::Icon::Exclamation);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
