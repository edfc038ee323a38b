#pragma once

#include <functional>

// Turns SIGINT and SIGTERM into a call on a thread of its own, where the handler may
// take locks and remove files. The signals stay blocked in every other thread (and in
// the children this program starts, until they unblock them), so construct the
// watcher before any other thread exists.
class InterruptWatcher {
public:
    explicit InterruptWatcher(std::function<void(int signal)> handler);
};
