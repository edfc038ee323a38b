// Draws Quillet's import dialog with its options and lists its controls in the order the
// tab key visits them, to compare the option frame:  grab-import <png file> <text file>

#include "AppFolder.h"
#include "ApplicationSetup.h"
#include "FileDialogs.h"
#include "frmImport.h"
#include "frmMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

class NoFileChosen : public FileDialogService {
public:
    FileDialogChoice open(QWidget *, const FileDialogOptions &) override { return {}; }
    FileDialogChoice save(QWidget *, const FileDialogOptions &) override { return {}; }
};

}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    setUpApplication(app, frmMain::ProgramTitle);
    QTemporaryDir settings;
    AppFolder::set(settings.path());
    NoFileChosen dialogs;
    FileDialogService::setInstance(&dialogs);
    frmMain window;
    frmImport dialog(window.session(), window.gridController(), &window);
    dialog.show();
    QApplication::processEvents();
    QFile order(QString::fromLocal8Bit(argv[2]));
    if (!order.open(QIODevice::WriteOnly))
        return 1;
    for (QWidget *next = dialog.nextInFocusChain(); next != &dialog; next = next->nextInFocusChain()) {
        if (next->focusPolicy() & Qt::TabFocus)
            order.write(next->objectName().toUtf8() + ' ' + QByteArray(next->isEnabled() ? "on" : "off") + '\n');
    }
    return dialog.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
