#include "InterruptWatcher.h"

#include <signal.h>

#include <thread>

InterruptWatcher::InterruptWatcher(std::function<void(int signal)> handler)
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals, handler = std::move(handler)] {
        for (;;) {
            int signal = 0;
            if (sigwait(&signals, &signal) == 0)
                handler(signal);
        }
    }).detach();
}
