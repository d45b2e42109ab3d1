#include "download/LineFramer.h"

#include "store/TextHelpers.h"

#include <algorithm>
#include <utility>

namespace {

bool endsTransfer(const QByteArray& text) { return text.startsWith("RICom"); }

} // namespace

void LineFramer::take(QByteArrayView bytes, std::int64_t atMs)
{
    // Noise dropped below still shows the line is busy.
    if (!bytes.isEmpty())
        m_lastByteAt = atMs;
    for (const char c : bytes) {
        if (IsLineEnd(c)) {
            if (!m_open.isEmpty()) {
                m_whole.push_back({std::exchange(m_open, {}), atMs});
                m_echoMayCome = false;
                m_endsLines = true;
            }
        } else if (!IsControlCode(static_cast<unsigned char>(c))) {
            append(c);
        }
    }
}

void LineFramer::append(char c)
{
    m_open += c;
    if (!m_echoMayCome)
        return;
    const QByteArrayView echo(Echo);
    if (m_open == echo) {
        // What follows it, in the same read or the next, is the first line.
        m_open.clear();
        m_echoMayCome = false;
    } else if (!echo.startsWith(m_open)) {
        m_echoMayCome = false;
    }
}

std::optional<LineFramer::Step> LineFramer::line(QByteArray text, std::int64_t ackAt)
{
    m_ackDueAt = std::max(ackAt, m_lastAckAt + AckDelayMs);
    return Step{Step::Kind::Line, std::move(text)};
}

std::optional<LineFramer::Step> LineFramer::next(std::int64_t nowMs)
{
    if (m_ackDueAt) {
        if (nowMs < *m_ackDueAt)
            return std::nullopt;
        m_ackDueAt.reset();
        m_lastAckAt = nowMs;
        return Step{Step::Kind::Acknowledge, {}};
    }
    if (!m_whole.empty()) {
        Whole whole = std::move(m_whole.front());
        m_whole.pop_front();
        if (endsTransfer(whole.text))
            return Step{Step::Kind::End, std::move(whole.text)};
        return line(std::move(whole.text), whole.endedAt + AckDelayMs);
    }
    // The end marker needs no line end: nothing of the board follows it.
    if (endsTransfer(m_open))
        return Step{Step::Kind::End, std::exchange(m_open, {})};
    // A beginning of the echo waits for the rest of it; a line of a board
    // that ends its lines, for its line end.
    const bool echoComing = m_echoMayCome && !m_open.isEmpty();
    if (m_open.isEmpty() || echoComing || m_endsLines
        || nowMs < std::max(m_lastByteAt, m_lastAckAt) + AckDelayMs)
        return std::nullopt;
    return line(std::exchange(m_open, {}), nowMs);
}
