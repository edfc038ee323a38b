#include "RunningJob.h"

#include "ProcessStatus.h"

#include <QFile>

#include <chrono>
#include <mutex>
#include <thread>
#include <signal.h>

namespace {

constexpr auto GroupEndLimit = std::chrono::seconds(2);

struct State {
    std::mutex lock;
    pid_t group = 0;
    QStringList workFiles;
    bool interrupted = false;
};

State &state()
{
    static State running;
    return running;
}

// Waits (boundedly) until no process of the group runs, so that no dying sqlite3
// writes a file after the work files were removed. Ended processes that nobody has
// collected yet still count as members of the group, so asking the group itself would
// wait for whoever adopts the orphans, which may take seconds.
void killGroup(pid_t group)
{
    kill(-group, SIGKILL);
    const auto deadline = std::chrono::steady_clock::now() + GroupEndLimit;
    while (ProcessStatus::groupRuns(group) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}

namespace RunningJob {

void setWorkFiles(const QStringList &paths)
{
    const std::lock_guard guard(state().lock);
    state().workFiles = paths;
}

bool startProcessGroup(const std::function<pid_t()> &spawn)
{
    const std::lock_guard guard(state().lock);
    if (state().interrupted)
        return false;
    state().group = spawn();
    return true;
}

void endProcessGroup()
{
    const std::lock_guard guard(state().lock);
    state().group = 0;
}

void interrupt()
{
    // Never released: the job must not start or report anything more.
    state().lock.lock();
    state().interrupted = true;
    if (state().group > 0)
        killGroup(state().group);
    for (const QString &path : std::as_const(state().workFiles))
        QFile::remove(path);
}

}
