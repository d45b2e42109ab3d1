#pragma once

#include "link/AtOnce.h"
#include "link/CommandTransport.h"
#include "link/ControllerCommand.h"
#include "link/DtmfPlayer.h"
#include "link/DtmfTransport.h"
#include "link/KeyedRun.h"
#include "link/SerialLink.h"
#include "link/SerialTransport.h"
#include "platform/Status.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class Clock;
class Dialogs;
class SerialPort;
class SoundOutput;
struct SettingsTables;

// The program's one path to the controller: the serial link, the DTMF player
// and the transport of each mode, and the one guard that lets a single run
// at a time talk to the controller.
class ControllerLink {
public:
    enum class Job { Upload, ClockSetting, ManualSend, AtOnce, TestPad, Download };

    // Holds the link for one run; the link is free again once it goes.
    class [[nodiscard]] Claim {
    public:
        Claim() = default;
        Claim(Claim&& other) noexcept;
        ~Claim() { release(); }
        explicit operator bool() const { return m_link != nullptr; }
        void release();

    private:
        friend class ControllerLink;
        explicit Claim(ControllerLink* link) : m_link(link) {}
        ControllerLink* m_link = nullptr;
    };

    ControllerLink(SettingsTables& tables, SerialPort& port, SoundOutput& sound, Dialogs& dialogs, Clock& clock);
    virtual ~ControllerLink() = default;
    ControllerLink(const ControllerLink&) = delete;
    ControllerLink& operator=(const ControllerLink&) = delete;

    // ComPortValue's numeric value 0 (the empty text too) is DTMF mode; 1-8
    // is serial mode on that COM port.
    bool dtmfMode() const;
    // The transport of the current mode.
    CommandTransport& transport() { return transportOf(dtmfMode()); }
    SerialLink& serialLink() { return m_link; }
    // The port itself, for a transfer the controller drives record by record.
    SerialPort& port() { return m_port; }
    DtmfPlayer& player() { return m_player; }
    // A run of tones with the transmitter keyed, for keys played as typed.
    KeyedRun keyedRun() { return KeyedRun(m_tables, m_sound, m_link); }

    // Empty while another run holds the link; nothing else happens then.
    Claim claim(Job job);
    // As claim, but while another run holds the link the user is told what does.
    Claim claimOrTell(Job job);
    bool busy() const { return m_job.has_value(); }
    // The link is held as `job`.
    bool holds(Job job) const { return m_job == job; }
    // Names what holds the link.
    QString busyText() const;
    // Shows the busy text with the program's title.
    void tellBusy();

    // One frame sent at once in the current mode, holding the link as `job`
    // (the busy text is shown when another run holds it): the port is tested
    // (the serial port, or the keying port and the sound output), in DTMF
    // mode the transmitter is keyed and the key-up delay waited, then the
    // run's steps (the unlock code before the first command, adopt before the
    // lock code), and the transmitter released on every way out. Serial mode
    // succeeds only on "+" to every line awaiting one; it leaves the serial
    // port open or closed as it found it, unless asked to close it. Success
    // only when the whole frame went out, its lock code and the end of the
    // run included. UpdateError and UpdateInterrupted are cleared first, and
    // UpdateError again at the end, so no later command is stopped by it. Every failure but a wait the user
    // abandoned has been shown when this returns; its reason is returned too.
    Status sendAtOnce(const AtOnce& request, Job job = Job::AtOnce);

protected:
    // The transport of each mode; a test may stand one of its own in.
    virtual CommandTransport& transportOf(bool dtmf);

private:
    SettingsTables& m_tables;
    SerialPort& m_port;
    SoundOutput& m_sound;
    SerialLink m_link;
    DtmfPlayer m_player;
    SerialTransport m_serial;
    DtmfTransport m_dtmf;
    std::optional<Job> m_job;
};
