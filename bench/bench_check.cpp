// Runs tallyra-cli --check over a generated two-line dictionary and the same entries as a
// PO catalogue (interface strings with accelerators, shortcuts and end marks, a planted
// fault in every hundredth entry: its accelerator dropped), and prints the wall-clock
// time, the processor time and the peak memory of each run, and the findings it printed.
// The findings stream to the console as they are found, so the memory stays that of one
// file's reading however many there are.
//
//   bench_check [entries]        (default 1000000)

#include "BenchDictionaries.h"
#include "BenchMemory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

using namespace BenchDictionaries;

constexpr int FaultEvery = 100;

QString withoutAccelerator(QString translation)
{
    static const QRegularExpression key(QStringLiteral(R"(\(&[A-Za-z0-9]\)|&(?=[A-Za-z0-9]))"));
    return translation.remove(key);
}

// The entries of the two-line reference, a fault planted in every hundredth.
void writeEntries(const QString &twoLine, const QString &po, qint64 entries)
{
    Detail::DictionaryWriter dictionary(twoLine, Format::TwoLineText);
    QFile catalogue(po);
    if (!catalogue.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(po));
    catalogue.write("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n");
    // The dictionaries escape a tab as "\t", as PO does.
    const auto quoted = [](QString text) { return text.replace(u'"', QStringLiteral("\\\"")).toUtf8(); };
    for (qint64 i = 0; i < entries; ++i) {
        Detail::Phrase entry = Detail::referenceEntry(DefaultSeed, i);
        if (i % FaultEvery == 0)
            entry.translation = withoutAccelerator(entry.translation);
        dictionary.write(i + 1, entry);
        catalogue.write("\nmsgctxt \"" + QByteArray::number(i) + "\"\nmsgid \"" + quoted(entry.source) + "\"\nmsgstr \""
                        + quoted(entry.translation) + "\"\n");
    }
    dictionary.commit();
}

double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void check(const QString &path, const QString &appFolder)
{
    QProcess cli;
    cli.setStandardOutputFile(path + QStringLiteral(".findings"));
    const double cpuBefore = processorSeconds();
    QElapsedTimer timer;
    timer.start();
    cli.start(QStringLiteral(TALLYRA_CLI_PATH), {QStringLiteral("--app-folder"), appFolder, QStringLiteral("--check"), path});
    cli.waitForFinished(-1);
    const qint64 ms = timer.elapsed();
    QFile findings(path + QStringLiteral(".findings"));
    findings.open(QIODevice::ReadOnly);
    const qint64 lines = findings.readAll().count('\n');
    std::printf("%-14s exit %d  %6lld ms wall  %6.0f ms cpu  peak %lld kB  %lld output lines\n",
                qPrintable(QFileInfo(path).fileName()), cli.exitCode(), qint64(ms), (processorSeconds() - cpuBefore) * 1000,
                BenchMemory::childrenPeakKb(), lines);
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const qint64 entries = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    QTemporaryDir folder;
    const QString twoLine = folder.filePath(QStringLiteral("entries.a.txt"));
    const QString po = folder.filePath(QStringLiteral("entries.po"));
    writeEntries(twoLine, po, entries);
    std::printf("%lld entries, a fault in every %d\n", entries, FaultEvery);
    check(twoLine, folder.path());
    check(po, folder.path());
    return 0;
}
