#include "ApplicationSetup.h"
#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication(app, frmMain::ProgramTitle);
    frmMain window;
    window.show();
    // The whole command line names the file, blanks and all.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty())
        window.OpenGivenFile(arguments.join(u' '));
    else
        window.offerRecovery();
    return QApplication::exec();
}
