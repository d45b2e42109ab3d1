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
    const QByteArray rest = ',' + QByteArray::number(image[std::size_t(m_sent)]) + (lineEnds ? "\r\n" : "");
    if (m_sent++ >= splitRecords)
        return {Answer::text(address + rest)};
    return {Answer::text(address), Answer::text(rest, splitPauseMs)};
}

std::vector<Answer> DownloadServer::nextBoardLine()
{
    if (m_boardSent == boardSilentAfter)
        return {Answer::silence()};
    if (m_boardSent == boardLines.size())
        return {Answer::text("RIComplete\r\n")};
    return {Answer::text(boardLines[m_boardSent++] + "\r\n")};
}
