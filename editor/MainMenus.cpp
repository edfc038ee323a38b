#include "MainMenus.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

namespace {
const QString RecentFilesTool = QStringLiteral("MRUFileList");
const char *const DocumentTools[] = {"miFSave",  "miFSaveAs",   "miFImport", "miFExport", "miEResume",
                                     "miChgSt",  "miSTun",      "miSTed",    "miSTno",    "miSTck",
                                     "miEFind",  "miEFindNext", "miVOrder",  "miVSort",   "miGo",
                                     "miVFilter", "miEReplace"};

struct FilterTool {
    const char *name;
    const char16_t *caption;
    Qt::Key key;
};
// In the order of GridModel::Filter.
const FilterTool FilterTools[] = {{"miFilterAll", u"全部条目(&A)", Qt::Key_1},
                                  {"miFilterUntranslated", u"未译(&U)", Qt::Key_2},
                                  {"miFilterReview", u"复查(&R)", Qt::Key_3},
                                  {"miFilterUnfinished", u"未译和复查(&B)", Qt::Key_4},
                                  {"miFilterProblems", u"有问题的条目(&P)", Qt::Key_5}};

// "撤消“修改译文”(&U)": the command and the step it would undo or redo.
QString historyCaption(const QString &command, const QString &step, QChar accessKey)
{
    const QString named = step.isEmpty() ? command : command + u'“' + step + u'”';
    return named + QStringLiteral("(&") + accessKey + u')';
}
}

MainMenus::MainMenus(QMainWindow *window) : QObject(window)
{
    buildMenuBar(window);
    buildToolBar(window);
    buildPopupMenu(window);
}

QAction *MainMenus::addTool(QMenu *menu, const char *name, const QString &caption, const QString &toolTip,
                            const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(toolTip);
    action->setIconText(toolTip);
    action->setShortcut(shortcut);
    return action;
}

QMenu *MainMenus::addSubMenu(QMenu *menu, const char *name, const QString &caption, const QString &toolTip)
{
    QMenu *subMenu = menu->addMenu(caption);
    subMenu->setObjectName(QLatin1String(name));
    subMenu->menuAction()->setObjectName(QLatin1String(name));
    subMenu->menuAction()->setToolTip(toolTip);
    subMenu->menuAction()->setIconText(toolTip);
    return subMenu;
}

void MainMenus::buildMenuBar(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    QMenu *file = bar->addMenu(QStringLiteral("文件(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addTool(file, "miFOpen", QStringLiteral("打开(&O)..."), QStringLiteral("打开..."), QKeySequence::Open);
    m_recentFiles = addSubMenu(file, "miOpenMRU", QStringLiteral("打开最近文件"), QStringLiteral("最近文件列表"));
    file->addSeparator();
    addTool(file, "miFSave", QStringLiteral("保存(&S)"), QStringLiteral("保存"), QKeySequence::Save);
    addTool(file, "miFSaveAs", QStringLiteral("另存为(&A)..."), QStringLiteral("另存为"),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    addTool(file, "miFImport", QStringLiteral("导入(&I)..."), QStringLiteral("导入"));
    addTool(file, "miFExport", QStringLiteral("导出(&E)..."), QStringLiteral("导出"));
    file->addSeparator();
    addTool(file, "miFExit", QStringLiteral("退出(&X)"), QStringLiteral("退出"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu *edit = bar->addMenu(QStringLiteral("编辑(&E)"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    addTool(edit, "miEUndo", QStringLiteral("撤消(&U)"), QStringLiteral("撤消"), QKeySequence::Undo);
    addTool(edit, "miERedo", QStringLiteral("重做(&Y)"), QStringLiteral("重做"))
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    addTool(edit, "miEResume", QStringLiteral("恢复原文(&R)"), QStringLiteral("恢复原文"));
    QMenu *status = addSubMenu(edit, "miChgSt", QStringLiteral("更改状态(&S)"), QStringLiteral("更改状态"));
    addTool(status, "miSTun", QStringLiteral("设为未译状态(&U)"), QStringLiteral("设为未译状态"));
    addTool(status, "miSTed", QStringLiteral("设为已译状态(&D)"), QStringLiteral("设为已译状态"));
    addTool(status, "miSTno", QStringLiteral("设为不译状态(&N)"), QStringLiteral("设为不译状态"));
    addTool(status, "miSTck", QStringLiteral("设为复查状态(&C)"), QStringLiteral("设为复查状态"));
    QMenu *go = addSubMenu(edit, "miGo", QStringLiteral("转到(&G)"), QStringLiteral("转到"));
    addTool(go, "miGoPrevious", QStringLiteral("上一条(&P)"), QStringLiteral("上一条"), QKeySequence(Qt::CTRL | Qt::Key_Up));
    addTool(go, "miGoNext", QStringLiteral("下一条(&N)"), QStringLiteral("下一条"), QKeySequence(Qt::CTRL | Qt::Key_Down));
    addTool(go, "miGoPreviousUnfinished", QStringLiteral("上一条未译或复查(&U)"), QStringLiteral("上一条未译或复查"),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up));
    addTool(go, "miGoNextUnfinished", QStringLiteral("下一条未译或复查(&D)"), QStringLiteral("下一条未译或复查"),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down));
    go->addSeparator();
    addTool(go, "miGoPreviousProblem", QStringLiteral("上一个问题(&B)"), QStringLiteral("上一个问题"),
            QKeySequence(Qt::SHIFT | Qt::Key_F8));
    addTool(go, "miGoNextProblem", QStringLiteral("下一个问题(&F)"), QStringLiteral("下一个问题"), QKeySequence(Qt::Key_F8));
    edit->addSeparator();
    addTool(edit, "miEFind", QStringLiteral("查找(&F)..."), QStringLiteral("查找"), QKeySequence(Qt::CTRL | Qt::Key_F));
    addTool(edit, "miEFindNext", QStringLiteral("查找下一个(&N)"), QStringLiteral("查找下一个"), QKeySequence(Qt::Key_F3));
    addTool(edit, "miEReplace", QStringLiteral("替换(&H)..."), QStringLiteral("替换"), QKeySequence(Qt::CTRL | Qt::Key_H));

    QMenu *view = bar->addMenu(QStringLiteral("查看(&V)"));
    view->setObjectName(QStringLiteral("mnuView"));
    m_view = view;
    addTool(view, "miVOrder", QStringLiteral("按编号排序(&O)"), QStringLiteral("按编号排序"));
    addTool(view, "miVSort", QStringLiteral("按状态分组(&S)"), QStringLiteral("按状态分组"));
    QMenu *filter = addSubMenu(view, "miVFilter", QStringLiteral("筛选(&L)"), QStringLiteral("筛选"));
    auto *filters = new QActionGroup(filter);
    for (const FilterTool &entry : FilterTools) {
        QAction *action = addTool(filter, entry.name, QString::fromUtf16(entry.caption), QString(),
                                  QKeySequence(Qt::CTRL | entry.key));
        action->setToolTip(action->text().section(u'(', 0, 0));
        action->setCheckable(true);
        filters->addAction(action);
    }
    filters->actions().constFirst()->setChecked(true);
    view->addSeparator();
    addTool(view, "miOption", QStringLiteral("选项(&O)..."), QStringLiteral("选项"));
    addTool(view, "miTallyra", QStringLiteral("字典处理(&I)..."), QStringLiteral("字典处理"));

    QMenu *help = bar->addMenu(QStringLiteral("帮助(&H)"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addTool(help, "miHContent", QStringLiteral("使用说明(&C)..."), QStringLiteral("使用说明"));
    addTool(help, "miHAbout", QStringLiteral("关于(&A)..."), QStringLiteral("关于"));
}

void MainMenus::buildToolBar(QMainWindow *window)
{
    QToolBar *bar = window->addToolBar(QString());
    bar->setObjectName(QStringLiteral("tbStandard"));
    bar->setWindowTitle(QStringLiteral("工具栏"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction *reopen = new QAction(QStringLiteral("打开"), bar);
    reopen->setObjectName(QStringLiteral("miFReOpen"));
    reopen->setToolTip(QStringLiteral("打开"));
    bar->addAction(reopen);
    bar->addSeparator();
    for (const char *name : {"miFSave", "miFSaveAs", "-", "miFImport", "miFExport", "-", "miEResume", "miChgSt",
                             "miEFind", "-", "miVOrder", "miVSort", "miVFilter", "miTallyra"}) {
        if (qstrcmp(name, "-") == 0)
            bar->addSeparator();
        else
            bar->addAction(tool(QLatin1String(name)));
    }
    // The status and filter menus open on a click; an arrow would be drawn over the caption.
    for (const QString &menu : {QStringLiteral("miChgSt"), QStringLiteral("miVFilter")}) {
        if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(tool(menu)))) {
            button->setPopupMode(QToolButton::InstantPopup);
            button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
        }
    }
}

void MainMenus::buildPopupMenu(QMainWindow *window)
{
    m_popup = new QMenu(window);
    m_popup->setObjectName(QStringLiteral("FGPopupMenu"));
    m_popup->addAction(tool(QStringLiteral("miEResume")));
    m_popup->addSeparator();
    for (const char *name : {"miSTun", "miSTed", "miSTno", "miSTck"})
        m_popup->addAction(tool(QLatin1String(name)));
}

QAction *MainMenus::tool(const QString &name) const
{
    return parent()->findChild<QAction *>(name);
}

void MainMenus::setRecentFiles(const QStringList &paths)
{
    m_recentFiles->clear();
    for (const QString &path : paths) {
        // The access keys 1 to 9; an "&" of the path is a character, not a key.
        const qsizetype number = m_recentFiles->actions().size() + 1;
        QString caption = QString(path).replace(u'&', QStringLiteral("&&"));
        if (number <= 9)
            caption.prepend(u'&' + QString::number(number) + u' ');
        QAction *entry = m_recentFiles->addAction(caption);
        entry->setObjectName(RecentFilesTool);
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { Q_EMIT recentFileChosen(path); });
    }
    m_recentFiles->setEnabled(!paths.isEmpty());
}

void MainMenus::addPaneToggle(QAction *toggle)
{
    toggle->setObjectName(QStringLiteral("miVEditPane"));
    toggle->setText(QStringLiteral("翻译字符串(&T)"));
    QAction *options = tool(QStringLiteral("miOption"));
    m_view->insertAction(options, toggle);
    m_view->insertSeparator(options);
}

void MainMenus::followHistory(const QUndoStack &history)
{
    QAction *undo = tool(QStringLiteral("miEUndo"));
    QAction *redo = tool(QStringLiteral("miERedo"));
    const auto show = [&history, undo, redo] {
        undo->setEnabled(history.canUndo());
        redo->setEnabled(history.canRedo());
        undo->setText(historyCaption(QStringLiteral("撤消"), history.undoText(), u'U'));
        redo->setText(historyCaption(QStringLiteral("重做"), history.redoText(), u'Y'));
    };
    connect(&history, &QUndoStack::indexChanged, this, show);
    show();
}

QList<QAction *> MainMenus::filterTools() const
{
    QList<QAction *> tools;
    for (const FilterTool &entry : FilterTools)
        tools.append(tool(QLatin1String(entry.name)));
    return tools;
}

void MainMenus::showFilter(int filter)
{
    QAction *chosen = filterTools().value(filter);
    chosen->setChecked(true);
    QAction *menu = tool(QStringLiteral("miVFilter"));
    menu->setIconText(filter == 0 ? menu->toolTip() : menu->toolTip() + QStringLiteral(": ") + chosen->toolTip());
}

void MainMenus::setDocumentCommandsEnabled(bool enabled)
{
    for (const char *name : DocumentTools)
        tool(QLatin1String(name))->setEnabled(enabled);
}
