// Checks a million generated dictionary entries with every check on and prints the time
// per run and per entry, first without a length limit and then with one.
//
//   bench_checks [count] [runs]
//
// The entries are the benchmarks' realistic interface strings with their translations
// (access keys, shortcuts, colons, ellipses, outer spaces, placeholders); 80% are 已译,
// 10% 复查 and 10% 未译. The best of the runs (default 3) is printed, as the thread's
// CPU time (what one core spent, whatever else the machine runs) and as wall time.

#include "BenchDictionaries.h"
#include "DictionaryEntry.h"
#include "checks/Checker.h"

#include <QElapsedTimer>
#include <QList>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <limits>

namespace {

QList<DictionaryEntry> makeEntries(qint64 count)
{
    QList<DictionaryEntry> entries;
    entries.reserve(count);
    for (qint64 i = 0; i < count; ++i) {
        const BenchDictionaries::Detail::Phrase phrase =
            BenchDictionaries::Detail::referenceEntry(BenchDictionaries::DefaultSeed, i);
        const qint64 kind = i % 10;
        const QString &status = kind == 0 ? EntryStatus::Untranslated
            : kind == 1                   ? EntryStatus::Review
                                          : EntryStatus::Translated;
        entries.append({status, QString::number(i + 1), phrase.source,
                        status == EntryStatus::Untranslated ? phrase.source : phrase.translation});
    }
    return entries;
}

qint64 threadCpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

struct Run {
    qint64 cpu = std::numeric_limits<qint64>::max();
    qint64 wall = std::numeric_limits<qint64>::max();
    qint64 flagged = 0;
};

Run checkAll(const Checker &checker, const QList<DictionaryEntry> &entries, int runs)
{
    Run best;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const qint64 cpuStart = threadCpuNanoseconds();
        qint64 flagged = 0;
        for (const DictionaryEntry &entry : entries)
            flagged += checker.check({entry.source, entry.translation, entry.status}).isEmpty() ? 0 : 1;
        best.cpu = std::min(best.cpu, threadCpuNanoseconds() - cpuStart);
        best.wall = std::min(best.wall, timer.nsecsElapsed());
        best.flagged = flagged;
    }
    return best;
}

}

int main(int argc, char **argv)
{
    const qint64 count = argc > 1 ? std::atoll(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    QTextStream out(stdout);
    const QList<DictionaryEntry> entries = makeEntries(count);
    Checker checker;
    for (const int limit : {0, 50}) {
        checker.setLengthLimit(limit);
        const Run run = checkAll(checker, entries, runs);
        out << count << " entries, length limit " << limit << ": CPU " << run.cpu / 1000000 << " ms ("
            << QString::number(double(run.cpu) / count, 'f', 0) << " ns an entry), wall " << run.wall / 1000000
            << " ms, " << run.flagged << " entries with findings\n";
    }
    return 0;
}
