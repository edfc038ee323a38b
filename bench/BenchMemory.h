#pragma once

#include <QFile>

#include <sys/resource.h>

// Peak memory of the benchmarks and of the programs they run, in kB.
namespace BenchMemory {

inline qint64 ownPeakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return 0;
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
