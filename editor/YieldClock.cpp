#include "YieldClock.h"

#include <QCoreApplication>

void YieldClock::yieldIfDue()
{
    if (m_timer.elapsed() > IntervalMs)
        yieldNow();
}

void YieldClock::yieldNow()
{
    QCoreApplication::processEvents();
    m_timer.restart();
}
