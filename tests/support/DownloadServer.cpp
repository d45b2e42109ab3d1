#include "DownloadServer.h"

using Answer = ControllerSimulator::Answer;

void DownloadServer::serve(ControllerSimulator& sim)
{
    sim.setResponder([this](const QByteArray& line) { return answer(line); });
}

std::optional<std::vector<Answer>> DownloadServer::answer(const QByteArray& line)
{
    if (line == "1SendEram") {
        m_sent = 0;
        return nextRecord();
    }
    if (line == "OK")
        return nextRecord();
    if (line == "1SendAPEram") {
        m_boardSent = 0;
        std::vector<Answer> first{Answer::text("+SendAPEram\r\n")};
        for (Answer& a : nextBoardLine())
            first.push_back(std::move(a));
        return first;
    }
    if (line == "o")
        return nextBoardLine();
    return std::nullopt;
}

std::vector<Answer> DownloadServer::nextRecord()
{
    if (m_sent == silentAfter)
        return {Answer::silence()};
    if (m_sent == completeAfter || m_sent == MemoryImageSize)
        return {Answer::text("Complete")};
    const QByteArray address = QByteArray::number(m_sent);
    const QByteArray value = QByteArray::number(image[std::size_t(m_sent)]);
    const auto instead = sentInstead.find(m_sent);
    const QByteArray record = instead != sentInstead.end() ? instead->second
                                                           : address + ',' + value + (lineEnds ? "\r\n" : "");
    const bool whole = splitEvery <= 0 || m_sent % splitEvery != 0;
    ++m_sent;
    if (whole)
        return {Answer::text(record)};
    qsizetype cut = address.size();
    if (split != Split::AtComma)
        cut += 1 + (split == Split::InsideValue && value.size() > 1);
    return {Answer::text(record.first(cut)), Answer::text(record.sliced(cut), splitPauseMs)};
}

std::vector<Answer> DownloadServer::nextBoardLine()
{
    if (m_boardSent == boardSilentAfter)
        return {Answer::silence()};
    if (m_boardSent == boardLines.size())
        return {Answer::text("RIComplete\r\n")};
    return {Answer::text(boardLines[m_boardSent++] + "\r\n")};
}
