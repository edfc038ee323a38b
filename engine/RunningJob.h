#pragma once

#include <QStringList>

#include <functional>

#include <sys/types.h>

// The job of this process that is running now, as an interrupt must stop it: the
// process group of its database shell and its work files. The engine keeps it up to
// date; a signal watcher of the program calls interrupt() from another thread.
namespace RunningJob {
// The work files to remove when the job is interrupted (none once it is over).
void setWorkFiles(const QStringList &paths);
// Starts a process group under the lock, so that none starts after an interrupt;
// spawn returns the group's id, or 0 when it did not start. False when interrupted.
bool startProcessGroup(const std::function<pid_t()> &spawn);
void endProcessGroup();
// Kills the running process group and removes the work files; from now on the job
// stops at its next process start or end, so the caller ends the process.
void interrupt();
}
