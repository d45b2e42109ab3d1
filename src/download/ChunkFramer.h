#pragma once

#include <QByteArray>
#include <optional>

// Cuts what the serial port delivers, in whatever pieces, into the
// controller's records or the option board's lines: a read may hold part of a
// record, or more than one.
class ChunkFramer {
public:
    enum class Kind { Records, Lines };
    struct Framed {
        QByteArray text; // without its line end
        bool endMarker = false; // a record stream's end: "+", "C" or "-K"
    };

    explicit ChunkFramer(Kind kind) : m_kind(kind) {}

    void take(const QByteArray& bytes) { m_pending += bytes; }
    // The next complete record or line. `quiet`: nothing more came for as long
    // as an adapter takes to deliver the rest of a piece, so what is pending
    // stands on its own.
    std::optional<Framed> next(bool quiet);
    bool hasPending() const { return !m_pending.isEmpty(); }

private:
    bool recordComplete() const;

    Kind m_kind;
    QByteArray m_pending;
    // Once a line end was seen the stream is framed by line ends alone: a
    // pause inside a record no longer cuts it.
    bool m_lineEnds = false;
};
