#pragma once

#include "MessageService.h"
#include "frmFind.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <optional>

class DocumentSession;
class MainMenus;
class RecoveryKeeper;
class QTreeView;
class cCtrlFlexGrid;
class frmReplace;
class frmTEdit;

// The editor's window: it shows the document session in its grid `fg` and the docked
// edit pane, holds the menus and the recent-files list, and runs the commands.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    static const QString ProgramTitle;

    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The document; the session does the work.
    bool ActFileOpen(const QString &path);
    // A file named on the command line or dropped on the grid; one that cannot be opened
    // gives the same message as the open command.
    void OpenGivenFile(const QString &path);
    // NotAsked while unmodified; Yes saved, No not saved, Cancel cancelled (also when
    // the save failed).
    MessageService::Answer AskSaveChanges();
    // False when the file was not written; the document then stays modified.
    bool SaveDocument(const QString &path);
    void SaveDocumentAs();
    void OpenDocumentDialog();
    QString CurrentDocumentPath() const;
    bool isModified() const;

    // Commands on the selected rows.
    void SetSelectedStatus(const QString &status);
    void ResumeSelected();

    // At a start without a file: offers the unsaved changes of an earlier run.
    void offerRecovery();

    void AddToRecentFiles(const QString &path);
    void OpenRecentFile(const QString &path);
    QStringList recentFiles() const { return m_recentFiles; }

    // Grid to edit pane, and the pane's translation back into the grid.
    void UpdateToEditBox();
    void UpdateFromEditBox();

    DocumentSession &session() const { return *m_session; }
    cCtrlFlexGrid &gridController() const { return *m_grid; }
    frmTEdit &editPane() const { return *m_pane; }
    QTreeView *fg;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class OpenResult { Loaded, Cancelled, Failed };

    void connectCommands();
    void connectSession();
    void onCommand(const char *tool, const std::function<void()> &command);
    void showBusy(const QString &status);
    // A note in the status bar, for a few seconds.
    void showNote(const QString &note);
    void showFindDialog();
    void showReplaceDialog();
    void findNext();
    void fillEditPane();
    void showRestoredEntry(quint32 entry);
    void editInPane();
    void commitAndMove(int mode);
    void goToProblem(int row, bool downwards);
    void startProcessor();
    void openManual();
    void restoreLayout();
    void saveLayout();
    void showCaption();
    OpenResult openFile(const QString &path);

    DocumentSession *m_session;
    cCtrlFlexGrid *m_grid;
    frmTEdit *m_pane;
    MainMenus *m_menus;
    RecoveryKeeper *m_recovery;
    QStringList m_recentFiles;
    QPointer<frmFind> m_find;
    QPointer<frmReplace> m_replace;
    std::optional<GridSearch> m_lastSearch;
};
