#pragma once

#include <QByteArray>
#include <optional>

// Cuts what the option board sends, in whatever reads it arrives, into its
// lines: each ends at a line end or, when none comes, at a pause. A line end
// only separates; empty lines are none. Control characters, which no setting
// can hold, are dropped as they come.
class LineFramer {
public:
    void take(const QByteArray& bytes);
    // `quiet`: nothing more came for as long as an adapter takes to deliver
    // the rest of a piece, so what is pending stands on its own.
    std::optional<QByteArray> next(bool quiet);

private:
    QByteArray m_pending;
};
