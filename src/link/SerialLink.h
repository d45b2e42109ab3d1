#pragma once

#include "platform/Status.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class Clock;
class Dialogs;
class SerialPort;
struct SettingsTables;

// The serial port, as the controller link drives it: opening it on the chosen
// COM port, command lines out, the controller's reply judged, and the
// transmitter keyed through DTR or RTS. Everything the reply check decides is
// also left in the settings' flags (SerialReplyOK, UpdateError,
// UpdateInterrupted) for the uploads.
class SerialLink {
public:
    enum class Reply {
        Accepted,    // "+"
        Refused,     // "-": message shown, UpdateError set
        TimedOut,    // nothing within three ticks: message shown, counted, and what
                     // comes in three more ticks after it thrown away
        GaveUp,      // too many time-outs: lock line, port closed, both flags set
        Interrupted, // the wait was abandoned (a window closed during it)
        Busy,        // another command is being waited for
    };
    // The upload window's progress display: the bar's value and the percent shown.
    struct Progress {
        double value = 0;
        int percent = 0;
    };

    static constexpr int TicksToTimeOut = 3; // of the one-second timer
    static constexpr int TimeoutsToGiveUp = 3;

    SerialLink(SerialPort& port, SettingsTables& tables, Dialogs& dialogs, Clock& clock);
    // Releases the transmitter and closes the port.
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Opens the port on ComPortValue when it is not open there; "0" or "" is no
    // port and does nothing. A port that will not open gives the port message.
    Status OpenSerialPort();
    // The same without letting events through or showing the message, for a
    // caller that reports the failure itself.
    Status openComPort();
    // Throws away what arrived before, writes txBuf unchanged, then sleeps
    // SerialDelayValue ms.
    Status SendStr(const QString& txBuf);
    // Waits for the reply to the line just sent. The command is not compared.
    // After a time-out it listens out one more reply window, so that a late
    // answer is never taken for the next line's.
    Reply CheckInput(const QString& command = {});
    // Keys (true) or releases (false) the transmitter on DTMFComPortValue's port,
    // or on the serial port when it is open; releasing closes the port.
    Status DoComPort(bool on);
    // Appends text without its blanks to DTMFMemoryText.
    void RemoveSpaces(const QString& text);
    // The serial lock line, "1" + CurrentLock + Terminator + CR, until "+";
    // ends at the first refusal, give-up or third time-out. SerialReplyOK is
    // false after it.
    Status SendSerialLock();

    bool PortFailed() const { return m_portFailed; }
    int ReplyTicks() const;
    int TimeoutCount() const { return m_timeoutCount; }
    int PercentDone() const { return m_progress.percent; }
    bool isPortOpen() const;
    // A reply is being waited for. The wait refuses a line or a wait of its
    // own inside it; which run may talk to the controller at all is the
    // controller link's to say.
    bool busy() const { return m_busy; }

    // Drops the keying line, then closes the port.
    void closePort();
    // The running wait, if any, ends at its next poll with Interrupted.
    void abandonWait();
    // ReplyTicks and TimeoutCount back to 0, as the Interrupt button does.
    void resetCounters();

    // Shows a failure with the program's title.
    void report(const Status& failure);

    // A message of the link, held back.
    struct HeldMessage {
        QString title;
        QString text;
    };
    // From now on the link's messages are not shown: the first one is kept
    // for the caller, who tells the user once.
    void holdMessages();
    // Shows messages again; the first held since holdMessages(), if any.
    std::optional<HeldMessage> releaseMessages();
    void tellHeld(const HeldMessage& message) { tell(message.title, message.text); }

    // The upload's progress; the upload window listens.
    void setProgressValue(double value);
    // Bar to its minimum and "0% Complete".
    void resetProgress();
    Progress progress() const { return m_progress; }
    void onProgress(std::function<void(const Progress&)> listener) { m_onProgress = std::move(listener); }
    // The give-up path hides the upload window.
    void onHide(std::function<void()> listener) { m_onHide = std::move(listener); }

private:
    Reply waitForReply();
    void discardLateReply();
    bool poll();
    void giveUp();
    void endWait();
    Status writeLine(const QString& line);
    void discardInput();
    Status applyKeying(bool keyed);
    void notifyProgress();
    void tell(const QString& title, const QString& text);

    SerialPort& m_port;
    SettingsTables& m_tables;
    Dialogs& m_dialogs;
    Clock& m_clock;

    std::int64_t m_tickStart = 0; // when ReplyTicks last was 0 during a wait
    bool m_waiting = false;
    int m_timeoutCount = 0;
    bool m_portFailed = false;
    bool m_busy = false;
    bool m_abandon = false;
    Progress m_progress;
    std::function<void(const Progress&)> m_onProgress;
    std::function<void()> m_onHide;
    bool m_holding = false;
    std::optional<HeldMessage> m_held;
};
