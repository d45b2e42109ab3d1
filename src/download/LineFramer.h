#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <deque>
#include <optional>

// The option board's side of its transfer, in whatever reads the port
// delivers it. The board sends one line and waits for its "o", so all that
// comes before that "o" belongs to the line it acknowledges: a line end, where
// the board sends one, ends a line. Until the board has ended a line with a
// line end, a line without one is whole once nothing more came for
// `AckDelayMs` since its last byte (a dropped one too) and since the last "o";
// after that, a board that ends its lines keeps doing so, and no pause cuts a
// line however long (the download's time-out ends a line that stops short).
// Each "o" goes `AckDelayMs` after its line's last byte, and never sooner than
// that after the one before. The controller's echo of the start command before
// the first line is no line; control characters, which no setting can hold,
// are dropped as they come.
class LineFramer {
public:
    static constexpr int AckDelayMs = 1000;
    static constexpr char Echo[] = "+SendAPEram";

    struct Step {
        enum class Kind {
            Line,        // a whole line, to be stored
            Acknowledge, // the "o" of the line stored last is due
            End,         // the board's end marker, "RICom...": no "o"
        };
        Kind kind;
        QByteArray text; // of a line or the end marker
    };

    // One read of the port, and when it came.
    void take(QByteArrayView bytes, std::int64_t atMs);
    // What is due at `nowMs`; next() until nothing is.
    std::optional<Step> next(std::int64_t nowMs);

private:
    struct Whole {
        QByteArray text;
        std::int64_t endedAt; // when its line end came
    };

    void append(char c);
    std::optional<Step> line(QByteArray text, std::int64_t ackAt);

    std::deque<Whole> m_whole; // lines ended by their line end, not yet given
    QByteArray m_open;         // the line still coming
    std::int64_t m_lastByteAt = 0;
    std::int64_t m_lastAckAt = -AckDelayMs; // none yet
    std::optional<std::int64_t> m_ackDueAt; // of the line given last
    bool m_echoMayCome = true; // nothing but a beginning of the echo came yet
    bool m_endsLines = false;  // the board ended a line with a line end
};
