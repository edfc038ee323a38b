// Reads and writes a generated PO catalogue of interface strings (references on every
// entry, extracted and translator comments, contexts, plurals, fuzzy and untranslated
// entries, messages long enough to wrap, laid out by msgcat as a project's file is)
// and, in the same run, prints the time msgcat takes for the same file and the time
// the same entries take to read as a two-line dictionary, with the memory each holds.
// Each read runs three times in a process of its own and the best run counts;
// processor times are printed beside wall-clock times, as they hold better when other
// work shares the machine.
//
//   bench_po [entries]        (default 1000000)

#include "BenchCatalogue.h"
#include "DictionaryEntry.h"
#include "BenchMemory.h"
#include "BenchTiming.h"
#include "TextFile.h"
#include "formats/TwoLineText.h"
#include "formats/PoCatalogue.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <climits>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

using namespace BenchCatalogue;
using namespace BenchTiming;

// One read in a process of its own, as a program opening the file does it: prints the
// wall-clock and processor milliseconds and the memory the read left held.
int readAlone(const QString &kind, const QString &path)
{
    std::optional<PoCatalogue> catalogue;
    std::vector<DictionaryEntry> rows;
    const qint64 before = BenchMemory::ownHeldKb();
    const Timing read = timed([&] {
        if (kind == u"--read-po") {
            catalogue.emplace(PoCatalogue::fromFile(path));
            return;
        }
        TextFileReader file(path);
        TwoLineTextReader reader(file.lines());
        DictionaryEntry row;
        while (reader.next(row))
            rows.push_back(row);
    });
    const qint64 entries = catalogue ? catalogue->count() : qint64(rows.size());
    std::printf("%lld %lld %lld %lld\n", static_cast<long long>(read.wallMs), static_cast<long long>(read.processorMs),
                static_cast<long long>(BenchMemory::ownHeldKb() - before), static_cast<long long>(entries));
    return 0;
}

// The best of three reads, each in a fresh process, so that a run disturbed by other
// work does not count and no read profits from memory an earlier one left behind.
Timing bestRead(const QString &kind, const QString &path, qint64 expectedEntries, qint64 &heldKb)
{
    Timing best{LLONG_MAX, LLONG_MAX};
    for (int run = 0; run < 3; ++run) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {kind, path});
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            qFatal("the read failed: %s", child.readAllStandardError().constData());
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (figures.size() != 4 || figures[3].toLongLong() != expectedEntries)
            qFatal("the file did not read whole");
        best = {std::min(best.wallMs, figures[0].toLongLong()), std::min(best.processorMs, figures[1].toLongLong())};
        heldKb = figures[2].toLongLong();
    }
    return best;
}

void report(const char *step, Timing timing, qint64 heldKb = -1)
{
    std::printf("%-30s %7lld ms wall %7lld ms processor", step, static_cast<long long>(timing.wallMs),
                static_cast<long long>(timing.processorMs));
    if (heldKb >= 0)
        std::printf("  %5lld MB held", static_cast<long long>(heldKb / 1024));
    std::printf("\n");
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3)
        return readAlone(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    const qint64 entries = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;
    QTemporaryDir dir;
    const QString raw = dir.filePath(QStringLiteral("raw.po"));
    const QString po = dir.filePath(QStringLiteral("bench.po"));
    const QString twoLine = dir.filePath(QStringLiteral("bench.a.txt"));
    writeUnwrapped(raw, entries);
    runMsgcat(raw, po);
    QFile::remove(raw);
    writeTwoLine(twoLine, entries);
    const qint64 poSize = QFile(po).size();
    std::printf("%lld entries: PO %lld MB (UTF-8), two-line %lld MB (GB18030)\n", static_cast<long long>(entries),
                static_cast<long long>(poSize >> 20), static_cast<long long>(QFile(twoLine).size() >> 20));

    qint64 catalogueKb = 0;
    const Timing read = bestRead(QStringLiteral("--read-po"), po, entries, catalogueKb);
    qint64 rowsKb = 0;
    const Timing twoLineRead = bestRead(QStringLiteral("--read-two-line"), twoLine, entries, rowsKb);

    Timing write;
    Timing changedWrite;
    {
        PoCatalogue catalogue = PoCatalogue::fromFile(po);
        const QString copy = dir.filePath(QStringLiteral("copy.po"));
        write = timed([&] { catalogue.save(copy); });
        if (QFile(copy).size() != poSize)
            qFatal("the unchanged catalogue was not written back whole");
        const QString changed = QStringLiteral("已改动的译文，足够长，以便在七十九列处折行显示给读者看，再多写一些字");
        for (int i = 0; i < catalogue.count(); i += 1000)
            catalogue.setTranslation(i, changed);
        changedWrite = timed([&] { catalogue.save(copy); });
    }
    const Timing msgcat = timed([&] { runMsgcat(po, dir.filePath(QStringLiteral("msgcat.po"))); });
    report("read PO", read, catalogueKb);
    report("read two-line", twoLineRead, rowsKb);
    std::printf("%-30s %7.2f wall %7.2f processor\n", "PO / two-line", ratio(read.wallMs, twoLineRead.wallMs),
                ratio(read.processorMs, twoLineRead.processorMs));
    report("write PO unchanged", write);
    report("write PO, 1 in 1000 changed", changedWrite);
    report("msgcat (read and write)", msgcat);
    return 0;
}
