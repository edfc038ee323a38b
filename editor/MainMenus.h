#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QMainWindow;
class QMenu;

// The editor's menu bar "MainMenu", tool bar "tbStandard" and grid pop-up "FGPopupMenu".
// Every command is a QAction named after its tool; triggering one reports the tool's
// name, and for the recent-files list ("MRUFileList") the path of the entry.
class MainMenus : public QObject {
    Q_OBJECT

public:
    explicit MainMenus(QMainWindow *window);

    QMenu *popupMenu() const { return m_popup; }
    QAction *tool(const QString &name) const;
    void setRecentFiles(const QStringList &paths);

Q_SIGNALS:
    void commandTriggered(const QString &tool, const QString &entry);

private:
    QAction *addTool(QMenu *menu, const char *name, const QString &caption, const QString &toolTip);
    QMenu *addSubMenu(QMenu *menu, const char *name, const QString &caption, const QString &toolTip);
    void buildMenuBar(QMainWindow *window);
    void buildToolBar(QMainWindow *window);
    void buildPopupMenu(QMainWindow *window);

    QMenu *m_recentFiles = nullptr;
    QMenu *m_popup = nullptr;
};
