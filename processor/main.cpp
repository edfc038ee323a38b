#include "ApplicationSetup.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication(app, frmMain::ProgramTitle);
    // Lets the desktop match the window with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tallyra"));
    frmMain window;
    window.show();
    return app.exec();
}
