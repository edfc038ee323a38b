#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QMainWindow;
class QMenu;
class QUndoStack;

// The editor's menu bar "MainMenu", tool bar "tbStandard" and grid pop-up "FGPopupMenu".
// Every command is a QAction named after its tool, which the window connects to its
// command; an entry of the recent-files list ("MRUFileList") reports its path.
class MainMenus : public QObject {
    Q_OBJECT

public:
    explicit MainMenus(QMainWindow *window);

    QMenu *popupMenu() const { return m_popup; }
    QAction *tool(const QString &name) const;
    void setRecentFiles(const QStringList &paths);
    // The checkable entry of the view menu that shows or hides the edit pane.
    void addPaneToggle(QAction *toggle);
    // The commands that act on the open document.
    void setDocumentCommandsEnabled(bool enabled);
    // The entries of the filter menu, in the order of GridModel::Filter; the chosen one
    // is checked and named on the tool bar.
    QList<QAction *> filterTools() const;
    void showFilter(int filter);
    // Undo and redo: usable while there is a step, and named after it.
    void followHistory(const QUndoStack &history);

Q_SIGNALS:
    void recentFileChosen(const QString &path);

private:
    QAction *addTool(QMenu *menu, const char *name, const QString &caption, const QString &toolTip,
                     const QKeySequence &shortcut = QKeySequence());
    QMenu *addSubMenu(QMenu *menu, const char *name, const QString &caption, const QString &toolTip);
    void buildMenuBar(QMainWindow *window);
    void buildToolBar(QMainWindow *window);
    void buildPopupMenu(QMainWindow *window);

    QMenu *m_recentFiles = nullptr;
    QMenu *m_view = nullptr;
    QMenu *m_popup = nullptr;
};
