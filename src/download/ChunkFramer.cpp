#include "download/ChunkFramer.h"

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

bool endsRecords(const QByteArray& text)
{
    return text.startsWith('+') || text.startsWith('C') || text.startsWith("-K");
}

} // namespace

// "address,value": complete once its value can take no further digit (three
// digits, one more would pass 255, or a 0, which no digit follows).
bool ChunkFramer::recordComplete() const
{
    const qsizetype comma = m_pending.indexOf(',');
    if (comma < 0)
        return false;
    const QByteArray value = m_pending.sliced(comma + 1);
    if (value.isEmpty())
        return false;
    int number = 0;
    for (const char c : value) {
        if (c < '0' || c > '9')
            return true; // no value goes on past a character that is no digit
        number = number * 10 + (c - '0');
    }
    return value.size() >= 3 || number * 10 > 255 || value.front() == '0';
}

std::optional<ChunkFramer::Framed> ChunkFramer::next(bool quiet)
{
    while (!m_pending.isEmpty() && isLineEnd(m_pending.front())) {
        m_lineEnds = true;
        m_pending.remove(0, 1);
    }
    if (m_pending.isEmpty())
        return std::nullopt;
    if (m_kind == Kind::Records && endsRecords(m_pending))
        return Framed{std::exchange(m_pending, {}), true};
    qsizetype end = 0;
    while (end < m_pending.size() && !isLineEnd(m_pending[end]))
        ++end;
    const bool atLineEnd = end < m_pending.size();
    if (atLineEnd)
        m_lineEnds = true;
    // A record's value that cannot grow ends it, its line end still to come.
    const bool cannotGrow = m_kind == Kind::Records && !atLineEnd && recordComplete();
    // Without line ends a pause frames a piece; a record needs its comma and a digit.
    const bool byPause = quiet && !m_lineEnds
        && (m_kind == Kind::Lines || m_pending.indexOf(',') >= 0);
    if (!atLineEnd && !cannotGrow && !byPause)
        return std::nullopt;
    Framed framed{m_pending.first(end)};
    m_pending.remove(0, end);
    return framed;
}
