#pragma once

#include "ControllerSimulator.h"
#include "download/MemoryImage.h"

#include <QByteArrayList>
#include <map>

// The controller's side of a download, for the simulator: after "1SendEram"
// the image's records one per "OK", then "Complete"; after "1SendAPEram" the
// option board's lines one per "o", then "RIComplete".
struct DownloadServer {
    MemoryImage image{};
    bool lineEnds = true;     // each record ends with CR LF
    // Where a record that comes in two writes is cut: before its comma, after
    // it, or after its value's first digit (a one-digit value: after the comma).
    enum class Split { AtComma, AfterComma, InsideValue };
    Split split = Split::AtComma;
    int splitPauseMs = 30; // between the two writes
    int splitEvery = 0;    // every so many records, from record 0, comes split; 0: none
    std::map<int, QByteArray> sentInstead; // bytes sent in place of the record of an address
    int silentAfter = -1;     // nothing more after this many records
    int completeAfter = -1;   // "Complete" after this many records
    // The record of this address is held back until the test releases it, as a
    // controller finishing the record it was sending when the user pressed
    // Escape; once.
    int heldRecord = -1;
    QByteArray heldAfterImage; // after "Complete", held back until released; once

    QByteArrayList boardLines; // the option board's
    int boardSilentAfter = -1;
    bool boardLineEnds = true; // each line and the end marker end with CR LF
    // Where each line (with its line end) is cut into two writes, 30 ms apart; 0: none.
    int boardCut = 0;
    // The echo of the start command in one write with the first line.
    bool echoGlued = false;
    // The first line, after the echo, held back until the test releases it,
    // as a board slow to begin; once.
    bool boardFirstHeld = false;
    // The first so many bytes of the next line go ahead of each "o", with the
    // rest of the line before them; 0: a line a time.
    int boardAhead = 0;

    // Installs the server on the simulator; the server must outlive it.
    void serve(ControllerSimulator& sim);

private:
    std::optional<std::vector<ControllerSimulator::Answer>> answer(const QByteArray& line);
    std::vector<ControllerSimulator::Answer> nextRecord();
    std::vector<ControllerSimulator::Answer> nextBoardLine();
    QByteArray boardLine(int index) const;

    int m_sent = 0;
    int m_boardSent = 0;
};
