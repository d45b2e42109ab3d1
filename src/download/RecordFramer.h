#pragma once

#include <QByteArray>
#include <optional>

// Cuts the controller's memory image, in whatever reads the port delivers it,
// into its records "address,value", which come in address order from 0, with
// or without line ends. No record waits for silence: one is acknowledged at
// the end of the read that brings its first value digit, and the digits that
// come after that, up to the next address with its comma, still belong to it.
class RecordFramer {
public:
    struct Framed {
        QByteArray text; // without its line end
        bool endMarker = false; // the stream's end: "+", "C" or "-K"
        // The whole record, to be checked and kept; otherwise its address, its
        // comma and its first digit, the rest of its value still to come.
        bool complete = false;
        bool acknowledge = false; // its one acknowledgement is due now
    };

    // One read of the port; next() until nothing is left.
    void take(const QByteArray& bytes) { m_pending += bytes; }
    std::optional<Framed> next();

private:
    std::optional<Framed> fromAddress();
    std::optional<Framed> valueGoingOn();
    Framed complete(qsizetype taken);

    QByteArray m_pending;
    QByteArray m_open; // the record whose value may still grow, as far as it is known
    bool m_acknowledged = false; // of the open record
    int m_address = 0; // the address the next record begins with
};
