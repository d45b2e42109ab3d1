#pragma once

#include "platform/Clock.h"

#include <QElapsedTimer>

class SystemClock final : public Clock {
public:
    SystemClock();

    void sleep(int ms) override;
    void processEvents() override;
    std::int64_t elapsedMs() const override;
    QDateTime now() const override;

private:
    QElapsedTimer m_started;
};
