#pragma once

#include <QElapsedTimer>

// Long loops of the window let pending window events run, but at most once per 500 ms,
// so that a large file neither freezes the window nor pays for events per entry.
class YieldClock {
public:
    YieldClock() { m_timer.start(); }
    void yieldIfDue();
    void yieldNow();

private:
    static constexpr qint64 IntervalMs = 500;
    QElapsedTimer m_timer;
};
