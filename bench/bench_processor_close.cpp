// Closes Tallyra's window, which saves its options and file histories, with a
// Tallyra.ini padded to the given size, and prints how long the closing took and how
// often the file was written.
//
//   QT_QPA_PLATFORM=offscreen bench_processor_close [megabytes]

#include "BenchSettings.h"

#include "AppFolder.h"
#include "frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const qint64 megabytes = argc > 1 ? std::atoll(argv[1]) : 50;
    QTemporaryDir dir;
    AppFolder::set(dir.path());
    const QString path = AppFolder::file(QStringLiteral("Tallyra.ini"));
    BenchSettings::writePadded(path, megabytes << 20);
    frmMain window;
    window.show();
    QCoreApplication::processEvents();
    const QFileInfo before(path);
    QElapsedTimer clock;
    clock.start();
    window.close();
    const qint64 elapsed = clock.elapsed();
    QTextStream(stdout) << "closing Tallyra with a Tallyra.ini of " << QFileInfo(path).size() / (1 << 20)
                        << " MB: " << elapsed << " ms" << Qt::endl;
    return before.size() > 0 ? 0 : 1;
}
