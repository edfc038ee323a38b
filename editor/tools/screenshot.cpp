// Draws the editor for the manual: a small dictionary in the grouped display; the same
// filtered to what is left after one more entry was translated; the replace dialog;
// the flat list with its problem marks while a translation with a fault is typed; a PO
// catalogue with the notes of an entry in the pane.
//   QT_QPA_PLATFORM=offscreen quillet-screenshot docs/quillet-grouped.png docs/quillet-filter.png \
//       docs/quillet-replace.png docs/quillet-checks.png docs/quillet-catalogue.png

#include "AppFolder.h"
#include "ApplicationSetup.h"
#include "TextFile.h"
#include "DocumentSession.h"
#include "cCtrlFlexGrid.h"
#include "frmMain.h"
#include "frmReplace.h"
#include "frmTEdit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>

namespace {

const char Sample[] = "已译,1,&File,文件(&F)\n"
                      "已译,2,&Open...\\tCtrl+O,打开(&O)...\\tCtrl+O\n"
                      "已译,3,&Save\\tCtrl+S,保存(&S)\\tCtrl+S\n"
                      "复查,4,Save &As...,另存为(&A)...\n"
                      "未译,5,Page Set&up...,Page Set&up...\n"
                      "已译,6,&Print...\\tCtrl+P,打印(&P)...\\tCtrl+P\n"
                      "复查,7,E&xit,退出(&X)\n"
                      "已译,8,&Edit,编辑\n"
                      "未译,9,&Undo\\tCtrl+Z,&Undo\\tCtrl+Z\n"
                      "已译,10,Cu&t\\tCtrl+X,剪切(&T)\\tCtrl+X\n"
                      "已译,11,&Copy\\tCtrl+C,复制(&C)\\tCtrl+C\n"
                      "未译,12,Find &Next\\tF3,Find &Next\\tF3\n"
                      "不译,13,Ctrl+Shift+F12,Ctrl+Shift+F12\n"
                      "不译,14,http://www.example.com,http://www.example.com\n"
                      "复查,15,Cannot open the file %s.,无法打开文件 %s。\n"
                      "已译,16,Do you want to save the changes?,要保存更改吗\n"
                      "未译,17,Replace &All,Replace &All\n"
                      "已译,18,Ready,就绪\n";

const char Catalogue[] = R"po(msgid ""
msgstr ""
"Project-Id-Version: sample 1.0\n"
"Language: zh_CN\n"
"Content-Type: text/plain; charset=UTF-8\n"
"Plural-Forms: nplurals=1; plural=0;\n"

#: src/menu.c:20
msgctxt "menu"
msgid "_Open"
msgstr "打开(_O)"

#: src/toolbar.c:31
msgctxt "verb"
msgid "_Open"
msgstr ""

# 与“另存为”对话框的标题一致。
#. TRANSLATORS: the title of the dialog that asks where to save
#: src/save.c:88 src/save.c:140
msgctxt "dialog title"
msgid "Save File"
msgstr "保存文件"

#: src/file.c:101
#, c-format
msgid "Cannot open file “%s”: %s"
msgstr "无法打开文件“%s”：%s"

#: src/count.c:9
#, c-format
msgid "%d file selected"
msgid_plural "%d files selected"
msgstr[0] "已选择 %d 个文件"

#: src/count.c:19
#, fuzzy, c-format
msgid "%d folder removed"
msgid_plural "%d folders removed"
msgstr[0] "找到 %d 个文件夹"

# no-translate
#: src/about.c:3
msgid "GNU General Public License"
msgstr "GNU General Public License"

#: src/help.c:5
msgid ""
"Usage: sample [FILE]...\n"
"Edit the FILEs.\n"
msgstr ""
)po";

// The catalogue, its entry with a context and both kinds of comment in the pane.
bool drawCatalogue(frmMain &window, const QString &folder, const QString &picture)
{
    const QString path = QDir(folder).filePath(QStringLiteral("sample.po"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(Catalogue) != qint64(sizeof Catalogue - 1))
        return false;
    file.close();
    window.findChild<QAction *>(QStringLiteral("miFilterAll"))->trigger();
    if (!window.ActFileOpen(path))
        return false;
    window.findChild<QAction *>(QStringLiteral("miVOrder"))->trigger();
    window.gridController().setCursor(3);
    QApplication::processEvents();
    return window.grab().save(picture);
}

}

int main(int argc, char *argv[])
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: quillet-screenshot <grouped png> <filtered png> <replace png> <checks png> "
                             "<catalogue png>\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app, frmMain::ProgramTitle);
    QTemporaryDir folder;
    AppFolder::set(folder.path());
    const QString path = folder.filePath(QStringLiteral("sample.a.csv"));
    TextFileWriter file(path, TextEncoding::Gb18030);
    for (const QString &line : QString::fromUtf8(Sample).split(u'\n', Qt::SkipEmptyParts))
        file.lines().writeLine(line);
    file.commit();

    frmMain window;
    window.resize(1000, 720);
    window.show();
    if (!window.ActFileOpen(path))
        return 1;
    window.findChild<QAction *>(QStringLiteral("miVSort"))->trigger();
    cCtrlFlexGrid &grid = window.gridController();
    grid.setCursor(grid.rowBelow(grid.rowBelow(grid.rowBelow(4))));
    window.editPane().Text2->setPlainText(QStringLiteral("无法打开文件“%s”。"));
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1])))
        return 1;

    // What is left: one more entry translated stays in its group, in italics.
    window.findChild<QAction *>(QStringLiteral("miFilterUnfinished"))->trigger();
    grid.setCursor(grid.lastEntryRow());
    window.editPane().Text2->setPlainText(QStringLiteral("全部替换(&A)"));
    window.editPane().Command1->click();
    grid.setCursor(grid.firstEntryRow());
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[2])))
        return 1;

    window.findChild<QAction *>(QStringLiteral("miEReplace"))->trigger();
    auto *replace = window.findChild<frmReplace *>();
    replace->findChild<QComboBox *>(QStringLiteral("cboFind"))->setEditText(QStringLiteral("文件 (%s)"));
    replace->findChild<QComboBox *>(QStringLiteral("cboReplace"))->setEditText(QStringLiteral("文件“\\1”"));
    replace->findChild<QCheckBox *>(QStringLiteral("chkRegex"))->setChecked(true);
    QApplication::processEvents();
    if (!replace->grab().save(QString::fromLocal8Bit(argv[3])))
        return 1;
    replace->close();

    // The marks of the entries with findings, and the findings of a translation as it is typed.
    window.findChild<QAction *>(QStringLiteral("miFilterAll"))->trigger();
    window.findChild<QAction *>(QStringLiteral("miVOrder"))->trigger();
    grid.setCursor(10);
    QPlainTextEdit *translation = window.editPane().Text2;
    const QString committed = translation->toPlainText();
    translation->setPlainText(QStringLiteral("剪切\\t控制+X"));
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[4])))
        return 1;
    // The typed fault is only drawn, never written back: opening the catalogue must not ask.
    translation->setPlainText(committed);
    window.session().edits().history().setClean();
    return drawCatalogue(window, folder.path(), QString::fromLocal8Bit(argv[5])) ? 0 : 1;
}
