#pragma once

#include <QtGlobal>

#include <optional>

#include <sys/types.h>

// What /proc/PID/stat tells about a process: whether it still runs, the group it
// belongs to and when it started (clock ticks after boot), which together with the
// id tells it from a later process that was given the same id.
struct ProcessStatus {
    pid_t pid = 0;
    pid_t group = 0;
    quint64 startTicks = 0;
    // Ended, waiting for its parent to collect the exit status.
    bool zombie = false;

    // Nothing when there is no such process.
    static std::optional<ProcessStatus> of(pid_t pid);
    static ProcessStatus self();
    // Whether a process of this group is still running; ended ones waiting to be
    // collected do not count, they can do nothing any more.
    static bool groupRuns(pid_t group);
};
