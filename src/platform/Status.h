#pragma once

#include <QString>

// The outcome of an operation that can fail: success, or a failure with the
// reason the user is shown. Never a silent false.
class [[nodiscard]] Status {
public:
    static Status success() { return Status(); }
    static Status failure(QString reason) { return Status(std::move(reason)); }

    bool ok() const { return m_failed == false; }
    explicit operator bool() const { return ok(); }
    const QString& reason() const { return m_reason; }

private:
    Status() = default;
    explicit Status(QString reason) : m_failed(true), m_reason(std::move(reason)) {}

    bool m_failed = false;
    QString m_reason;
};
