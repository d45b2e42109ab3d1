#pragma once

#include <QDateTime>
#include <cstdint>

// Waiting and the time of day, so that tests run without real waits.
class Clock {
public:
    virtual ~Clock() = default;

    virtual void sleep(int ms) = 0;
    // Lets pending window events through inside a long operation.
    virtual void processEvents() = 0;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual std::int64_t elapsedMs() const = 0;
    virtual QDateTime now() const = 0;
};
