#include "DownloadServer.h"

#include <utility>

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
        std::vector<Answer> first = nextBoardLine();
        if (std::exchange(boardFirstHeld, false))
            for (Answer& part : first)
                part.held = true;
        if (echoGlued && !first.empty() && !first.front().bytes.isEmpty())
            first.front().bytes.prepend("+SendAPEram");
        else
            first.insert(first.begin(), Answer::text("+SendAPEram\r\n"));
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
    if (m_sent == completeAfter || m_sent == MemoryImageSize) {
        if (heldAfterImage.isEmpty())
            return {Answer::text("Complete")};
        return {Answer::text("Complete"), Answer::heldBack(std::exchange(heldAfterImage, {}))};
    }
    const QByteArray address = QByteArray::number(m_sent);
    const QByteArray value = QByteArray::number(image[std::size_t(m_sent)]);
    const auto instead = sentInstead.find(m_sent);
    const QByteArray record = instead != sentInstead.end() ? instead->second
                                                           : address + ',' + value + (lineEnds ? "\r\n" : "");
    const bool whole = splitEvery <= 0 || m_sent % splitEvery != 0;
    if (m_sent++ == heldRecord) {
        heldRecord = -1; // once
        return {Answer::heldBack(record)};
    }
    if (whole)
        return {Answer::text(record)};
    qsizetype cut = address.size();
    if (split != Split::AtComma)
        cut += 1 + (split == Split::InsideValue && value.size() > 1);
    return {Answer::text(record.first(cut)), Answer::text(record.sliced(cut), splitPauseMs)};
}

QByteArray DownloadServer::boardLine(int index) const
{
    const QByteArray end = boardLineEnds ? "\r\n" : "";
    return (index < boardLines.size() ? boardLines[index] : QByteArray("RIComplete")) + end;
}

std::vector<Answer> DownloadServer::nextBoardLine()
{
    if (m_boardSent == boardSilentAfter)
        return {Answer::silence()};
    if (m_boardSent > boardLines.size())
        return {};
    QByteArray line = boardLine(m_boardSent).sliced(m_boardSent > 0 ? boardAhead : 0);
    if (boardAhead > 0 && m_boardSent < boardLines.size())
        line += boardLine(m_boardSent + 1).first(boardAhead);
    ++m_boardSent;
    if (boardCut <= 0 || boardCut >= line.size())
        return {Answer::text(line)};
    return {Answer::text(line.first(boardCut)), Answer::text(line.sliced(boardCut), splitPauseMs)};
}
