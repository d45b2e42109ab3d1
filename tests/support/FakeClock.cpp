#include "FakeClock.h"

void FakeClock::sleep(int ms)
{
    if (ms <= 0)
        return;
    m_now += ms;
    m_slept += ms;
    if (m_onSleep)
        m_onSleep(ms);
}

void FakeClock::processEvents()
{
    ++m_eventPasses;
    if (m_onEvents)
        m_onEvents();
}
