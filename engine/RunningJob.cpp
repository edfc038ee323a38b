#include "RunningJob.h"

#include <QFile>

#include <chrono>
#include <mutex>
#include <thread>
#include <signal.h>

namespace {

constexpr int GroupEndWaits = 200;

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

// Waits (boundedly) until the group is gone, so that no dying sqlite3 writes a file
// after the work files were removed.
void killGroup(pid_t group)
{
    kill(-group, SIGKILL);
    for (int wait = 0; wait < GroupEndWaits && kill(-group, 0) == 0; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
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
