#pragma once

#include "platform/Status.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class Clock;
class DownloadProgress;
class SerialPort;

// How a transfer ended.
struct TransferEnd {
    enum class Way {
        Complete,   // the end marker after every record (the option board: after its lines)
        Incomplete, // the end marker came short of a whole image
        TimedOut,   // five ticks of silence
        Canceled,   // the user's Escape
        Failed,     // a file, a port or a record that went wrong: `failure` says which
    };
    Way way = Way::Failed;
    int count = 0; // records or lines stored
    Status failure = Status::success();
    bool written = false; // the file holds what this transfer stored
};

// The two transfers the controller drives over an open serial port: its
// memory image into the memory file, and the option board's memory into the
// option board file. Each shows the progress window for its length, lets
// events through at every poll and stops at the user's Escape.
class MemoryDownload {
public:
    static constexpr int TickMs = 1000;
    static constexpr int TicksToTimeOut = 5;
    static constexpr int OptionBoardBarMaximum = 10;
    static constexpr int QuietMs = 100;
    static constexpr int DiscardLimitMs = 1000;

    MemoryDownload(SerialPort& port, Clock& clock, DownloadProgress& progress);

    // Each start command goes out once the port, emptied, stayed quiet for
    // `QuietMs` (at most `DiscardLimitMs` in all), so nothing sent before the
    // program asked, bytes still on their way included, enters the transfer.
    //
    // "1SendEram", then each record acknowledged once with "OK" as soon as
    // its first value digit came, and checked as the record of the next
    // address (as far as it came, and whole); the file is written only once
    // all 4096 arrived whole, so any other end leaves it as it was.
    TransferEnd receiveImage(const QString& path);
    // "1SendAPEram", then each line stored and acknowledged with "o" a second
    // after it came (LineFramer); "RICom" ends it and "Complete" is added. Its
    // time-out counts from the board's last byte, not from the line stored
    // last, so a line without a line end, stored a second late, has the same
    // wait as one with it. The lines that came are written however it ends; a
    // cancel sends `lockLine`.
    TransferEnd receiveOptionBoard(const QString& path, const QByteArray& lockLine);

private:
    std::int64_t now() const;
    // Whole ticks of a free-running one-second timer since `since`: five of
    // them are 4 to 5 s of silence.
    int ticksSince(std::int64_t since) const;
    Status start(const QByteArray& command);
    // What came since the last read.
    QByteArray read();
    void waitForData();

    SerialPort& m_port;
    Clock& m_clock;
    DownloadProgress& m_progress;
    bool m_readSomething = false;
};
