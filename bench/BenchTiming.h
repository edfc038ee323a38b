#pragma once

#include <QElapsedTimer>

#include <sys/resource.h>

#include <algorithm>
#include <ctime>
#include <functional>

// Wall-clock and processor time of a step. The processor time holds better when other
// work shares the machine.
namespace BenchTiming {

// This process's processor time and that of its finished children, in milliseconds.
inline qint64 processorMs()
{
    timespec own{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &own);
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    return qint64(own.tv_sec) * 1000 + own.tv_nsec / 1000000
        + (qint64(children.ru_utime.tv_sec) + children.ru_stime.tv_sec) * 1000
        + (children.ru_utime.tv_usec + children.ru_stime.tv_usec) / 1000;
}

struct Timing {
    qint64 wallMs = 0;
    qint64 processorMs = 0;
};

inline Timing timed(const std::function<void()> &step)
{
    QElapsedTimer timer;
    const qint64 before = processorMs();
    timer.start();
    step();
    return {timer.elapsed(), processorMs() - before};
}

// part / whole, a whole of 0 taken as 1.
inline double ratio(qint64 part, qint64 whole)
{
    return double(part) / double(std::max<qint64>(1, whole));
}

}
