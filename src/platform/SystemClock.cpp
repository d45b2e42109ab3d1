#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QThread>

SystemClock::SystemClock() { m_started.start(); }

void SystemClock::sleep(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void SystemClock::processEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

std::int64_t SystemClock::elapsedMs() const { return m_started.elapsed(); }

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }
