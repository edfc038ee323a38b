// Draws the window for the README before and after a job on the sample dictionaries:
//   QT_QPA_PLATFORM=offscreen tallyra-screenshot examples docs/tallyra-before.png docs/tallyra-after.png

#include "AppFolder.h"
#include "ApplicationSetup.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: tallyra-screenshot <examples folder> <before png> <after png>\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app, frmMain::ProgramTitle);
    QTemporaryDir appFolder;
    AppFolder::set(appFolder.path());
    // A short folder name, so that the whole paths show in the drop-downs.
    QDir files(QDir::tempPath() + QStringLiteral("/字典"));
    files.mkpath(files.path());
    const QDir examples(QString::fromLocal8Bit(argv[1]));
    const QStringList inputs{QStringLiteral("todo.u.txt"), QStringLiteral("reference.glo")};
    for (const QString &name : inputs) {
        QFile::remove(files.filePath(name));
        QFile::copy(examples.filePath(name), files.filePath(name));
    }

    frmMain window;
    window.show();
    window.findChild<QComboBox *>(QStringLiteral("cboToDo"))->setEditText(files.filePath(QStringLiteral("todo.u.txt")));
    window.findChild<QComboBox *>(QStringLiteral("cboRefer"))->setEditText(files.filePath(QStringLiteral("reference.glo")));
    window.findChild<QComboBox *>(QStringLiteral("cboFinal"))
        ->setEditText(files.filePath(QStringLiteral("todo.translated.u.txt")));
    QApplication::processEvents();
    const bool before = window.grab().save(QString::fromLocal8Bit(argv[2]));
    window.findChild<QPushButton *>(QStringLiteral("cmdStart"))->click();
    QApplication::processEvents();
    const bool after = window.grab().save(QString::fromLocal8Bit(argv[3]));
    for (const QString &name : inputs + QStringList{QStringLiteral("todo.translated.u.txt")})
        QFile::remove(files.filePath(name));
    files.rmdir(files.path());
    return before && after ? 0 : 1;
}
