// Loads the processor's settings (the option keys and three file histories, as the
// window does at start) from a Tallyra.ini padded to the given size, twice: first
// key by key with the file's time moved before every read, which makes the INI class
// read the whole file again for each key as it did when it kept nothing, then as the
// window loads them now. bench_processor_close measures the saving on closing.
//
//   bench_inifile [megabytes]

#include "BenchSettings.h"
#include "FileHistory.h"
#include "OptionSettings.h"
#include "cInifile.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdlib>
#include <functional>

namespace {

const QStringList &Histories = BenchSettings::Histories;

// The keys the window reads at start, each read as the INI class did when it kept
// nothing: the file's time moves first, so the whole file is read again.
qint64 readKeyByKey(const QString &path, const std::function<void()> &touch)
{
    QList<std::pair<QString, QString>> keys;
    for (const QString &key : OptionControlState().savedNames())
        keys.append({OptionControlState::IniSection, key});
    for (const QString &section : Histories) {
        keys.append({section, QStringLiteral("Count")});
        for (int i = 0; i < FileHistory::MaxEntries; ++i)
            keys.append({section, QStringLiteral("Item%1").arg(i)});
    }
    QElapsedTimer clock;
    clock.start();
    for (const auto &[section, key] : keys) {
        touch();
        cInifile(path, section).value(key);
    }
    return clock.elapsed();
}

qint64 loadSettings(const QString &path)
{
    QElapsedTimer clock;
    clock.start();
    OptionControlState state;
    state.loadFromIni(path);
    for (const QString &section : Histories)
        FileHistory::load(path, section);
    return clock.elapsed();
}

}

int main(int argc, char *argv[])
{
    const qint64 megabytes = argc > 1 ? std::atoll(argv[1]) : 50;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tallyra.ini"));
    BenchSettings::writePadded(path, megabytes << 20);
    QTextStream out(stdout);
    QDateTime stamp = QDateTime::currentDateTime();
    const auto touch = [&] {
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        stamp = stamp.addSecs(1);
        file.setFileTime(stamp, QFileDevice::FileModificationTime);
    };
    out << "Tallyra.ini of " << QFile(path).size() / (1 << 20) << " MB, settings loaded as at start-up\n";
    out << "  read again for every key (as before): " << readKeyByKey(path, touch) << " ms\n";
    // Moved once more, so the file is read afresh here too.
    touch();
    out << "  read once (now):                      " << loadSettings(path) << " ms" << Qt::endl;

    return 0;
}
