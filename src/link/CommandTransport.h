#pragma once

#include "link/ControllerCommand.h"
#include "platform/Status.h"

// How one command is framed in DTMF mode; serial mode ignores it.
enum class Framing {
    Full,     // unlock code of the port, the command, the lock code
    NoLock,   // the frame stays open: the caller closes it with lock()
    Bare,     // neither code: the command goes inside a frame already open
};

// What became of one command.
enum class Outcome {
    Accepted,    // "+" to every line, or played in DTMF mode
    Refused,     // "-" to a line
    TimedOut,    // a line got no answer; the following lines were still sent
    GaveUp,      // too many time-outs: the link closed the port
    Interrupted, // the wait was abandoned
    NotSent,     // a line could not be written (the port refused it, or the link
                 // was busy): nothing of it, or of the lines after it, went out
};

// One keyed run or one serial session, as the uploads drive it.
class CommandTransport {
public:
    virtual ~CommandTransport() = default;

    virtual bool dtmfMode() const = 0;
    // Serial: open the port. DTMF: key the transmitter (its port must open)
    // and wait the key-up delay. A failure names the port.
    virtual Status begin() = 0;
    // Serial: each line with its reply check, stopping at a refusal, give-up,
    // interrupt or a line not written (its reason shown). DTMF: the unlock code
    // of unlockPort, the parts, the lock code.
    virtual Outcome send(const ControllerCommand& command, int unlockPort, Framing framing) = 0;
    // Closes a frame left open by Framing::NoLock (DTMF); nothing in serial
    // mode. Accepted once the lock code was played; Interrupted when it was
    // not played to its end, or the run had failed before.
    virtual Outcome lock() = 0;
    // The lines without waiting for a reply (the reset ending a complete upload).
    // Gives the first failure, which it has shown (DTMF: shown when the run ends).
    virtual Status sendWithoutReply(const ControllerCommand& command) = 0;
    virtual void pause(int ms) = 0;
    // Releases the transmitter (DTMF); called on every way out of a run.
    // Gives the run's first failure, which it has shown.
    virtual Status end() = 0;
};

// Ends a begun transport on every way out, an exception included, so the
// transmitter is never left keyed. end() ends it before then, once, and gives
// the run's first failure.
class TransportEnding {
public:
    explicit TransportEnding(CommandTransport& transport) : m_transport(transport) {}
    ~TransportEnding()
    {
        if (!m_ended)
            (void)m_transport.end(); // it has shown its failure
    }
    TransportEnding(const TransportEnding&) = delete;
    TransportEnding& operator=(const TransportEnding&) = delete;
    Status end()
    {
        m_ended = true;
        return m_transport.end();
    }

private:
    CommandTransport& m_transport;
    bool m_ended = false;
};
