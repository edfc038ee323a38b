#include "EditorFixture.h"

#include "EditorSettings.h"
#include "cInifile.h"

#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// "name caption" of each entry, "-" for a separator.
QStringList toolsOf(const QList<QAction *> &actions)
{
    QStringList tools;
    for (const QAction *action : actions) {
        if (!action->isSeparator())
            tools.append(action->objectName() + u' ' + action->text());
    }
    return tools;
}

cInifile windowSection()
{
    return cInifile(EditorSettings::iniPath(), u"wndsize"_qs);
}

}

class EditorWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesMenusAndBars_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QStringList>("tools");
        QTest::newRow("menu bar") << u"MainMenu"_qs
                                  << QStringList{u" 文件(&F)"_qs, u" 编辑(&E)"_qs, u" 查看(&V)"_qs, u" 帮助(&H)"_qs};
        QTest::newRow("file") << u"mnuFile"_qs
                              << QStringList{u"miFOpen 打开(&O)..."_qs, u"miOpenMRU 打开最近文件"_qs, u"miFSave 保存(&S)"_qs,
                                             u"miFSaveAs 另存为(&A)..."_qs, u"miFImport 导入(&I)..."_qs,
                                             u"miFExport 导出(&E)..."_qs, u"miFExit 退出(&X)"_qs};
        QTest::newRow("edit") << u"mnuEdit"_qs
                              << QStringList{u"miEResume 恢复原文(&R)"_qs, u"miChgSt 更改状态(&S)"_qs, u"miEFind 查找(&F)..."_qs,
                                             u"miEFindNext 查找下一个(&N)"_qs};
        QTest::newRow("status") << u"miChgSt"_qs
                                << QStringList{u"miSTun 设为未译状态(&U)"_qs, u"miSTed 设为已译状态(&D)"_qs,
                                               u"miSTno 设为不译状态(&N)"_qs, u"miSTck 设为复查状态(&C)"_qs};
        QTest::newRow("view") << u"mnuView"_qs
                              << QStringList{u"miVOrder 按编号排序(&O)"_qs, u"miVSort 按状态分组(&S)"_qs,
                                             u"miVEditPane 翻译字符串(&T)"_qs, u"miOption 选项(&O)..."_qs,
                                             u"miTallyra 字典处理(&I)..."_qs};
        QTest::newRow("help") << u"mnuHelp"_qs << QStringList{u"miHContent 使用说明(&C)..."_qs, u"miHAbout 关于(&A)..."_qs};
        QTest::newRow("tool bar") << u"tbStandard"_qs
                                  << QStringList{u"miFReOpen 打开"_qs, u"miFSave 保存(&S)"_qs, u"miFSaveAs 另存为(&A)..."_qs,
                                                 u"miFImport 导入(&I)..."_qs, u"miFExport 导出(&E)..."_qs,
                                                 u"miEResume 恢复原文(&R)"_qs, u"miChgSt 更改状态(&S)"_qs, u"miEFind 查找(&F)..."_qs,
                                                 u"miVOrder 按编号排序(&O)"_qs, u"miVSort 按状态分组(&S)"_qs,
                                                 u"miTallyra 字典处理(&I)..."_qs};
        QTest::newRow("pop-up") << u"FGPopupMenu"_qs
                                << QStringList{u"miEResume 恢复原文(&R)"_qs, u"miSTun 设为未译状态(&U)"_qs,
                                               u"miSTed 设为已译状态(&D)"_qs, u"miSTno 设为不译状态(&N)"_qs,
                                               u"miSTck 设为复查状态(&C)"_qs};
    }
    void namesMenusAndBars()
    {
        QFETCH(QString, container);
        QFETCH(QStringList, tools);
        EditorFixture editor;
        QWidget *widget = editor.window->findChild<QWidget *>(container);
        QVERIFY(widget);
        QCOMPARE(toolsOf(widget->actions()), tools);
    }

    void givesToolTips()
    {
        EditorFixture editor;
        const QStringList expected{u"miFOpen 打开..."_qs, u"miOpenMRU 最近文件列表"_qs, u"miFReOpen 打开"_qs,
                                   u"miSTck 设为复查状态"_qs, u"miTallyra 字典处理"_qs, u"miHAbout 关于"_qs};
        for (const QString &entry : expected) {
            const QString name = entry.section(u' ', 0, 0);
            QCOMPARE(editor.window->findChild<QAction *>(name)->toolTip(), entry.section(u' ', 1));
        }
        QCOMPARE(editor.window->findChild<QDockWidget *>(u"frmTEdit"_qs)->windowTitle(), u"翻译字符串"_qs);
    }

    void keepsThePositionInTwips()
    {
        {
            EditorFixture editor;
            editor.window->setGeometry(100, 80, 700, 500);
            QVERIFY(editor.window->close());
            cInifile ini = windowSection();
            QCOMPARE(ini.value(u"width"_qs), QString::number(editor.window->width() * 15));
            QCOMPARE(ini.value(u"state"_qs), u"0"_qs);

            ini.setValue(u"left"_qs, u"1500"_qs);
            ini.setValue(u"top"_qs, u"garbage"_qs);
            ini.setValue(u"width"_qs, u"9000"_qs);
            frmMain restored;
            QCOMPARE(restored.x(), 100);
            QVERIFY(restored.width() != 9000 / 15);
        }
    }

    void maximisedWindowWritesOnlyItsState()
    {
        EditorFixture editor;
        cInifile ini = windowSection();
        for (const QString &key : {u"left"_qs, u"top"_qs, u"width"_qs, u"height"_qs})
            ini.setValue(key, u"1515"_qs);
        editor.window->showMaximized();
        QVERIFY(editor.window->close());
        QCOMPARE(ini.value(u"state"_qs), u"2"_qs);
        QCOMPARE(ini.value(u"left"_qs), u"1515"_qs);
        frmMain restored;
        QVERIFY(restored.windowState() & Qt::WindowMaximized);
    }

    void keepsOrResetsTheLayout()
    {
        EditorFixture editor;
        editor.window->removeDockWidget(&editor.pane());
        editor.window->addDockWidget(Qt::RightDockWidgetArea, &editor.pane());
        QVERIFY(editor.window->close());
        QVERIFY(QFile::exists(EditorSettings::layoutPath()));
        {
            frmMain restored;
            QCOMPARE(restored.dockWidgetArea(&restored.editPane()), Qt::RightDockWidgetArea);
            EditorSettings::setResetLayoutOnExit(true);
            QVERIFY(restored.close());
            EditorSettings::setResetLayoutOnExit(false);
        }
        QVERIFY(!QFile::exists(EditorSettings::layoutPath()));
    }

    void closingAsksAboutChanges_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("cancel stays") << int(MessageService::Cancel) << false;
        QTest::newRow("no closes") << int(MessageService::No) << true;
    }
    void closingAsksAboutChanges()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        EditorFixture editor;
        QVERIFY(editor.open(u"w.a.txt"_qs, {u"1:Open"_qs, u"打开"_qs}));
        editor.typeTranslation(u"开"_qs);
        editor.messages.answers = {MessageService::Answer(answer)};
        QCOMPARE(editor.window->close(), closed);
        QCOMPARE(editor.messages.texts(), QStringList{u"当前打开的文件已经被更改，想要保存文件吗？"_qs});
        QCOMPARE(editor.window->windowTitle(), u"*w.a.txt - Quillet"_qs);
    }

    void reportsMissingCompanionPrograms_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("message");
        QTest::newRow("processor") << u"miTallyra"_qs << u"无法启动字典处理程序:"_qs;
        QTest::newRow("manual") << u"miHContent"_qs << u"无法打开使用说明:"_qs;
    }
    void reportsMissingCompanionPrograms()
    {
        QFETCH(QString, tool);
        QFETCH(QString, message);
        EditorFixture editor;
        editor.trigger(tool);
        QCOMPARE(editor.messages.shown.size(), 1);
        QVERIFY(editor.messages.texts()[0].startsWith(message));
    }
};

QTEST_MAIN(EditorWindowTest)
#include "tst_editorwindow.moc"
