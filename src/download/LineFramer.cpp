#include "download/LineFramer.h"

#include "store/TextHelpers.h"

void LineFramer::take(const QByteArray& bytes)
{
    for (const char c : bytes)
        if (IsLineEnd(c) || !IsControlCode(static_cast<unsigned char>(c)))
            m_pending += c;
}

std::optional<QByteArray> LineFramer::next(bool quiet)
{
    while (!m_pending.isEmpty() && IsLineEnd(m_pending.front()))
        m_pending.remove(0, 1);
    if (m_pending.isEmpty())
        return std::nullopt;
    qsizetype end = 0;
    while (end < m_pending.size() && !IsLineEnd(m_pending[end]))
        ++end;
    if (end == m_pending.size() && !quiet)
        return std::nullopt;
    QByteArray line = m_pending.first(end);
    m_pending.remove(0, end);
    return line;
}
