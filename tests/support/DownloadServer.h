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
    QByteArrayList boardLines; // the option board's, sent with CR LF
    int boardSilentAfter = -1;

    // Installs the server on the simulator; the server must outlive it.
    void serve(ControllerSimulator& sim);

private:
    std::optional<std::vector<ControllerSimulator::Answer>> answer(const QByteArray& line);
    std::vector<ControllerSimulator::Answer> nextRecord();
    std::vector<ControllerSimulator::Answer> nextBoardLine();

    int m_sent = 0;
    int m_boardSent = 0;
};
