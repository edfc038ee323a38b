#include "frmMain.h"

#include "DocumentSession.h"
#include "EditorSettings.h"
#include "EntryNotesView.h"
#include "FileHistory.h"
#include "MainMenus.h"
#include "MessageService.h"
#include "PaneFindings.h"
#include "RecoveryKeeper.h"
#include "ShellActions.h"
#include "StatusSummary.h"
#include "WindowSize.h"
#include "cCtrlFlexGrid.h"
#include "frmAbout.h"
#include "frmExport.h"
#include "frmImport.h"
#include "frmOption.h"
#include "frmReplace.h"
#include "frmTEdit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStatusBar>
#include <QSaveFile>
#include <QTreeView>

namespace {

const QString RecentFilesSection = QStringLiteral("MRUFileList");
// One recent file for each number key of the menu.
constexpr int RecentFilesKept = 9;
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

const QString frmMain::ProgramTitle = EditorSettings::programTitle();

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    resize(DefaultSize);
    m_session = new DocumentSession(this, this);
    showCaption();

    fg = new GridView(this);
    fg->setObjectName(QStringLiteral("fg"));
    setCentralWidget(fg);
    m_grid = new cCtrlFlexGrid(m_session->model(), m_session->edits(), this);
    m_grid->BindingToFlexGrid(fg);
    fg->setContextMenuPolicy(Qt::CustomContextMenu);
    fg->viewport()->setAcceptDrops(true);
    fg->viewport()->installEventFilter(this);

    m_menus = new MainMenus(this);
    m_pane = new frmTEdit(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_pane);
    resizeDocks({m_pane}, {DefaultPaneHeight}, Qt::Vertical);
    m_menus->addPaneToggle(m_pane->toggleViewAction());
    new StatusSummary(m_session->model(), m_session->checks(), statusBar());
    new PaneFindings(*m_pane, m_session->model(), m_session->checks());
    connect(&m_session->checks(), &DocumentChecks::changed, fg->viewport(), qOverload<>(&QWidget::update));
    m_recovery = new RecoveryKeeper(*m_session, this);
    connect(m_recovery, &RecoveryKeeper::writeFailed, this, &frmMain::showNote);

    connectCommands();
    connectSession();
    connect(fg, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &position) { m_menus->popupMenu()->popup(fg->viewport()->mapToGlobal(position)); });
    connect(fg->selectionModel(), &QItemSelectionModel::currentChanged, this, &frmMain::fillEditPane);
    connect(&m_session->model(), &QAbstractItemModel::modelReset, this, [this] { m_pane->showEntry(0, {}, {}); });
    connect(m_grid, &cCtrlFlexGrid::cellEdited, this, &frmMain::UpdateToEditBox);
    connect(m_grid, &cCtrlFlexGrid::editRequested, this, &frmMain::editInPane);
    connect(m_pane, &frmTEdit::leaveRequested, fg, [this] { fg->setFocus(); });
    connect(&m_session->edits(), &DocumentEdits::entryRestored, this, &frmMain::showRestoredEntry);
    m_menus->followHistory(m_session->edits().history());
    connect(m_pane, &frmTEdit::updateRequested, this, [this](int mode) { commitAndMove(mode); });

    WindowSize::load(*this, EditorSettings::iniPath());
    restoreLayout();
    m_recentFiles = FileHistory::load(EditorSettings::iniPath(), RecentFilesSection, RecentFilesKept).value_or(QStringList());
    m_menus->setRecentFiles(m_recentFiles);
}

// The grid's cell editor may still commit while the children go: nothing of that may
// reach the half-destroyed window, and the grid goes before the model it shows.
frmMain::~frmMain()
{
    fg->viewport()->removeEventFilter(this);
    fg->selectionModel()->disconnect(this);
    m_session->model().disconnect(this);
    m_session->disconnect(this);
    m_grid->disconnect(this);
    delete fg;
}

// Every command first commits the edit pane.
void frmMain::onCommand(const char *tool, const std::function<void()> &command)
{
    connect(m_menus->tool(QLatin1String(tool)), &QAction::triggered, this, [this, command] {
        UpdateFromEditBox();
        command();
    });
}

void frmMain::connectCommands()
{
    onCommand("miFOpen", [this] { OpenDocumentDialog(); });
    onCommand("miFReOpen", [this] { OpenDocumentDialog(); });
    onCommand("miTallyra", [this] { startProcessor(); });
    onCommand("miFExit", [this] { close(); });
    onCommand("miOption", [this] {
        if (frmOption(this).exec() != QDialog::Accepted)
            return;
        m_recovery->restartTimer();
        m_session->applyCheckSettings();
    });
    onCommand("miHContent", [this] { openManual(); });
    onCommand("miHAbout", [this] { frmAbout(this).exec(); });
    onCommand("miVOrder", [this] { m_grid->DisplayAlphabetic(false); });
    onCommand("miVSort", [this] { m_grid->DisplayCategorized(false); });
    onCommand("miSTun", [this] { SetSelectedStatus(EntryStatus::Untranslated); });
    onCommand("miSTed", [this] { SetSelectedStatus(EntryStatus::Translated); });
    onCommand("miSTno", [this] { SetSelectedStatus(EntryStatus::NotToTranslate); });
    onCommand("miSTck", [this] { SetSelectedStatus(EntryStatus::Review); });
    onCommand("miEResume", [this] { ResumeSelected(); });
    onCommand("miEUndo", [this] { m_session->edits().history().undo(); });
    onCommand("miERedo", [this] { m_session->edits().history().redo(); });
    onCommand("miGoPrevious", [this] { m_grid->moveCursorTo(m_grid->entryRowAbove(m_grid->row())); });
    onCommand("miGoNext", [this] { m_grid->moveCursorTo(m_grid->entryRowBelow(m_grid->row())); });
    onCommand("miGoPreviousUnfinished", [this] { m_grid->moveCursorTo(m_grid->previousUnfinishedRow(m_grid->row())); });
    onCommand("miGoNextUnfinished", [this] { m_grid->moveCursorTo(m_grid->nextUnfinishedRow(m_grid->row())); });
    onCommand("miGoPreviousProblem", [this] { goToProblem(m_grid->previousProblemRow(m_grid->row()), false); });
    onCommand("miGoNextProblem", [this] { goToProblem(m_grid->nextProblemRow(m_grid->row()), true); });
    onCommand("miEFind", [this] { showFindDialog(); });
    onCommand("miEFindNext", [this] { findNext(); });
    onCommand("miEReplace", [this] { showReplaceDialog(); });
    onCommand("miFSave", [this] { SaveDocument(m_session->path()); });
    onCommand("miFSaveAs", [this] { SaveDocumentAs(); });
    // Both dialogs keep settings the checks read: the access-key marker, the length limit.
    onCommand("miFImport", [this] {
        frmImport(*m_session, *m_grid, this).exec();
        m_session->applyCheckSettings();
    });
    onCommand("miFExport", [this] {
        frmExport(*m_session, *m_grid, this).exec();
        m_session->applyCheckSettings();
    });
    const QList<QAction *> filters = m_menus->filterTools();
    for (int filter = 0; filter < filters.size(); ++filter) {
        connect(filters[filter], &QAction::triggered, this, [this, filter] {
            UpdateFromEditBox();
            m_grid->setFilter(static_cast<GridModel::Filter>(filter));
            m_menus->showFilter(filter);
        });
    }
    connect(m_menus, &MainMenus::recentFileChosen, this, [this](const QString &path) {
        UpdateFromEditBox();
        OpenRecentFile(path);
    });
}

void frmMain::connectSession()
{
    m_menus->setDocumentCommandsEnabled(false);
    connect(m_session, &DocumentSession::pathChanged, this, [this](const QString &path) {
        m_menus->setDocumentCommandsEnabled(!path.isEmpty());
        showCaption();
    });
    connect(m_session, &DocumentSession::modifiedChanged, this, &frmMain::showCaption);
    connect(m_session, &DocumentSession::busyChanged, this, &frmMain::showBusy);
    connect(m_session, &DocumentSession::documentLoaded, m_grid, &cCtrlFlexGrid::showLoadedDocument);
}

// While a file is read or written: busy pointer, the status text in the edit pane, and
// the window disabled so that no command can start meanwhile.
void frmMain::showBusy(const QString &status)
{
    const bool busy = !status.isEmpty();
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_pane->setStatusText(status);
    }
    setEnabled(!busy);
    if (!busy) {
        m_pane->showLengthLine();
        QApplication::restoreOverrideCursor();
    }
}

void frmMain::showNote(const QString &note)
{
    constexpr int NoteMilliseconds = 8000;
    statusBar()->showMessage(note, NoteMilliseconds);
}

void frmMain::showCaption()
{
    if (!m_session->hasDocument()) {
        setWindowTitle(ProgramTitle);
        return;
    }
    const QString caption = QFileInfo(m_session->path()).fileName() + QStringLiteral(" - ") + ProgramTitle;
    setWindowTitle(m_session->isModified() ? u'*' + caption : caption);
}

QString frmMain::CurrentDocumentPath() const
{
    return m_session->path();
}

bool frmMain::isModified() const
{
    return m_session->isModified();
}

// One find dialog at a time; it stays open over the window for repeated searches.
void frmMain::showFindDialog()
{
    if (!m_find) {
        m_find = new frmFind(*m_grid, this, [this](const QString &note) { showNote(note); });
        connect(m_find, &frmFind::helpRequested, this, &frmMain::openManual);
        connect(m_find, &frmFind::searched, this, [this](const GridSearch &search) { m_lastSearch = search; });
    }
    m_find->show();
    m_find->raise();
    m_find->activateWindow();
}

void frmMain::showReplaceDialog()
{
    if (!m_replace) {
        m_replace = new frmReplace(*m_grid, m_session->edits(), this, [this](const QString &note) { showNote(note); });
        connect(m_replace, &frmReplace::aboutToReplace, this, &frmMain::UpdateFromEditBox);
        connect(m_replace, &frmReplace::replaced, this, &frmMain::UpdateToEditBox);
    }
    m_replace->show();
    m_replace->raise();
    m_replace->activateWindow();
}

// Repeats the last search from the cursor; before the first one, opens the dialog.
void frmMain::findNext()
{
    if (m_lastSearch)
        findNextRow(this, *m_grid, *m_lastSearch, [this](const QString &note) { showNote(note); });
    else
        showFindDialog();
}

void frmMain::SetSelectedStatus(const QString &status)
{
    m_session->edits().setStatus(m_grid->selectedEntries(), status);
}

void frmMain::ResumeSelected()
{
    if (m_session->edits().restoreSources(m_grid->selectedEntries()) > 0)
        UpdateToEditBox();
}

void frmMain::offerRecovery()
{
    if (const std::optional<QString> document = m_recovery->offerAtStart())
        OpenGivenFile(*document);
}

void frmMain::AddToRecentFiles(const QString &path)
{
    m_recentFiles = FileHistory::add(m_recentFiles, path, RecentFilesKept);
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
    const std::optional<qsizetype> entry = m_grid->model().entryAt(row);
    m_pane->Notes->showNotes(entry ? m_session->model().document().notes(*entry) : EntryNotes());
}

void frmMain::UpdateToEditBox()
{
    const int row = m_grid->row();
    if (row == 0)
        return;
    m_pane->loadTranslation(m_grid->textMatrix(row, GridModel::Translation));
    m_pane->setRow(row);
}

void frmMain::UpdateFromEditBox()
{
    if (m_session->EditSuppressed)
        return;
    const int row = m_pane->row();
    const std::optional<qsizetype> entry = m_grid->model().entryAt(row);
    if (!entry)
        return;
    const QString typed = m_pane->translation();
    // A dictionary's untranslated entry holds its source; a catalogue's may be translated so.
    const bool untranslatedText = typed == m_pane->source() && !m_session->model().document().untranslatedIsEmpty();
    if (untranslatedText || typed == m_grid->textMatrix(row, GridModel::Translation) || !m_pane->isEdited())
        return;
    m_session->edits().commitTranslation(static_cast<quint32>(*entry), typed);
    // What was written back is what the pane now holds unchanged.
    m_pane->committed(m_grid->textMatrix(row, GridModel::Translation));
}

// Undo and redo show the entry they changed, in the grid and the pane.
void frmMain::showRestoredEntry(quint32 entry)
{
    m_grid->moveCursorTo(m_grid->model().gridRowOf(entry));
    fillEditPane();
}

// The translation of the entry at the cursor is edited in the pane, shown if it was closed.
void frmMain::editInPane()
{
    m_pane->show();
    m_pane->Text2->setFocus(Qt::ShortcutFocusReason);
}

void frmMain::commitAndMove(int mode)
{
    UpdateFromEditBox();
    const int current = m_grid->row();
    if (current > 0 && (mode == frmTEdit::UpdateAndNext || mode == frmTEdit::UpdateAndNextUnfinished)) {
        const int next = mode == frmTEdit::UpdateAndNext ? m_grid->rowBelow(current) : m_grid->nextUnfinishedRow(current);
        if (next > 0) {
            m_grid->setCursor(next);
            const int after = m_grid->rowBelow(next);
            if (!m_grid->isRowOnScreen(after > 0 ? after : next))
                m_grid->setTopRow(next);
        }
    } else if (current > 0 && mode == frmTEdit::UpdateAndPrevious) {
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

// Without a further entry with findings the cursor stays, and the status bar says so.
void frmMain::goToProblem(int row, bool downwards)
{
    if (row > 0)
        m_grid->moveCursorTo(row);
    else
        showNote(downwards ? QStringLiteral("下面没有有问题的条目") : QStringLiteral("上面没有有问题的条目"));
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
    if (m_session->isBusy()) {
        event->ignore();
        return;
    }
    UpdateFromEditBox();
    if (AskSaveChanges() == MessageService::Cancel) {
        event->ignore();
        return;
    }
    m_recovery->discard();
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
        OpenGivenFile(path);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
