#pragma once

#include <QFile>

#include <sys/resource.h>

// Peak memory of the benchmarks and of the programs they run, in kB.
namespace BenchMemory {

// A figure of this process from /proc/self/status: "VmRSS" (memory held now), "VmHWM"
// (the most it held); 0 where the system gives none.
inline qint64 ownStatusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

inline qint64 ownPeakKb()
{
    return ownStatusKb("VmHWM");
}

inline qint64 ownHeldKb()
{
    return ownStatusKb("VmRSS");
}

// Lets ownPeakKb() measure from here on (Linux 4.0 and later).
inline void resetOwnPeak()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

// The largest resident set of any finished child or grandchild.
inline qint64 childrenPeakKb()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;
}

}
