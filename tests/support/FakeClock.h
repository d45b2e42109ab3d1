#pragma once

#include "platform/Clock.h"

#include <functional>

// Virtual time: sleep advances it at once. A hook runs on every processEvents,
// so a test can click Interrupt or deliver a reply in the middle of a loop.
class FakeClock final : public Clock {
public:
    void sleep(int ms) override;
    void processEvents() override;
    std::int64_t elapsedMs() const override { return m_now; }
    QDateTime now() const override { return m_dateTime.addMSecs(m_now); }

    void setDateTime(const QDateTime& at) { m_dateTime = at; }
    void onEvents(std::function<void()> hook) { m_onEvents = std::move(hook); }
    void onSleep(std::function<void(int)> hook) { m_onSleep = std::move(hook); }

    std::int64_t sleptMs() const { return m_slept; }
    int eventPasses() const { return m_eventPasses; }

private:
    std::int64_t m_now = 0;
    std::int64_t m_slept = 0;
    int m_eventPasses = 0;
    QDateTime m_dateTime = QDateTime(QDate(2026, 12, 10), QTime(9, 0));
    std::function<void()> m_onEvents;
    std::function<void(int)> m_onSleep;
};
