#include "download/RecordFramer.h"

#include "store/TextHelpers.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "-" alone may be the first half of "-K".
bool mayEndRecords(QByteArrayView text) { return text == "-"; }
bool endsRecords(QByteArrayView text)
{
    return text.startsWith('+') || text.startsWith('C') || text.startsWith("-K");
}

qsizetype leadingDigits(QByteArrayView text)
{
    qsizetype end = 0;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end;
}

} // namespace

// The first `taken` bytes pending end the record: it is complete.
RecordFramer::Framed RecordFramer::complete(qsizetype taken)
{
    Framed framed{m_open + m_pending.first(taken), false, true, !m_acknowledged};
    m_pending.remove(0, taken);
    m_open.clear();
    m_acknowledged = false;
    ++m_address;
    return framed;
}

// After an open record, its last digits run straight into the next address
// and its comma: the next address, known in advance, marks where the value
// ends, and nothing before that comma can (a "6" after "5,2" may be the value
// 26 or the address 6). Anything else ends the value where it begins.
std::optional<RecordFramer::Framed> RecordFramer::valueGoingOn()
{
    const QByteArray address = QByteArray::number(m_address + 1);
    const qsizetype run = leadingDigits(m_pending);
    // Digits too many to be two more value digits and the address: no record.
    if (run > 2 + address.size())
        return complete(run);
    if (run == m_pending.size() || mayEndRecords(QByteArrayView(m_pending).sliced(run)))
        return std::nullopt;
    const char after = m_pending[run];
    if (after == ',')
        return complete(QByteArrayView(m_pending).first(run).endsWith(address) ? run - address.size() : run);
    if (IsLineEnd(after) || endsRecords(QByteArrayView(m_pending).sliced(run)))
        return complete(run);
    return complete(run + 1); // with what broke it, for the check to refuse
}

// A record from its address: digits, a comma, its first value digit. Nothing
// while it is still coming; a record whose value may grow is left open.
std::optional<RecordFramer::Framed> RecordFramer::fromAddress()
{
    const qsizetype longest = QByteArray::number(m_address).size();
    const qsizetype run = leadingDigits(m_pending);
    if (run > longest)
        return complete(run);
    if (run == m_pending.size())
        return std::nullopt;
    const QByteArrayView rest = QByteArrayView(m_pending).sliced(run);
    if (rest.front() != ',')
        return complete(IsLineEnd(rest.front()) || endsRecords(rest) ? run : run + 1);
    if (rest.size() == 1)
        return std::nullopt;
    if (!isDigit(rest[1]))
        return complete(IsLineEnd(rest[1]) || endsRecords(rest.sliced(1)) ? run + 1 : run + 2);
    if (rest[1] == '0') // no digit follows a 0
        return complete(run + 2);
    m_open = m_pending.first(run + 2);
    m_pending.remove(0, run + 2);
    return std::nullopt;
}

std::optional<RecordFramer::Framed> RecordFramer::next()
{
    if (m_open.isEmpty()) {
        while (!m_pending.isEmpty() && IsLineEnd(m_pending.front()))
            m_pending.remove(0, 1);
        if (m_pending.isEmpty() || mayEndRecords(m_pending))
            return std::nullopt;
        if (endsRecords(m_pending))
            return Framed{std::exchange(m_pending, {}), true};
        if (auto framed = fromAddress())
            return framed;
        if (m_open.isEmpty())
            return std::nullopt;
    }
    if (auto framed = valueGoingOn())
        return framed;
    if (m_acknowledged)
        return std::nullopt;
    // The end of the read that brought its first value digit.
    m_acknowledged = true;
    return Framed{m_open, false, false, true};
}
