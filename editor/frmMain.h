#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class MainMenus;
class QTreeView;
class YieldClock;
class cCtrlFlexGrid;
class frmFind;
class frmTEdit;

// The editor's window: it holds the open document in its grid `fg`, the docked edit
// pane, the menus and the recent-files list, and runs the commands.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    static const QString ProgramTitle;

    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The document.
    bool ActFileOpen(const QString &path);
    // 0 nothing to ask, 6 saved, 7 not saved, 2 cancelled (also when the save failed).
    int AskSaveChanges();
    // False when the file was not written; the document then stays modified.
    bool SaveDocument(const QString &path);
    void SaveDocumentAs();
    void OpenDocumentDialog();
    QString CurrentDocumentPath() const { return m_documentPath; }
    bool isModified() const { return m_modified; }
    void MarkModified();
    // While set, the edit pane commits nothing: from start-up until the first open,
    // during a save and while a whole-document job replaces the rows.
    bool EditSuppressed = true;

    // Commands on the selected rows.
    void SetSelectedStatus(const QString &status);
    void ResumeSelected();

    void AddToRecentFiles(const QString &path);
    void OpenRecentFile(const QString &path);
    QStringList recentFiles() const { return m_recentFiles; }

    // Grid to edit pane, and the pane's translation back into the grid.
    void UpdateToEditBox();
    void UpdateFromEditBox();

    cCtrlFlexGrid &gridController() const { return *m_grid; }
    frmTEdit &editPane() const { return *m_pane; }
    QTreeView *fg;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class OpenResult { Loaded, Cancelled, Failed };

    void dispatchCommand(const QString &tool, const QString &entry);
    void dispatchDocumentCommand(const QString &tool);
    void showFindDialog();
    void fillEditPane();
    void moveAfterUpdate();
    void startProcessor();
    void openManual();
    void restoreLayout();
    void saveLayout();
    void showCaption();

    OpenResult openFile(const QString &path);
    bool loadByContent(const QString &path);
    void LoadASCIIText(const QString &path);
    void LoadTabText(const QString &path);
    void LoadTableText(const QString &path);
    QString writeDocumentFiles(const QString &path, YieldClock &clock);
    void collapseFlaggedGroups();

    cCtrlFlexGrid *m_grid;
    frmTEdit *m_pane;
    MainMenus *m_menus;
    QString m_documentPath;
    bool m_modified = false;
    bool m_busy = false;
    QStringList m_recentFiles;
    QPointer<frmFind> m_find;
};
