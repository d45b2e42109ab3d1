#pragma once

#include "link/ControllerCommand.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

struct SettingsTables;

// One step of a run sent at once.
struct AtOnceStep {
    enum class Kind {
        Command,    // DTMF: its keys (the first command opens the frame with the
                    // unlock code); serial: its lines, each with a reply wait
                    // unless it awaits none
        SerialText, // serial: the text as it is, no carriage return, no reply
        Pause,      // silence in the keyed run, or a wait on the serial line
        Sound,      // a WAV image in the sound output's run format: inside the
                    // keyed run after the tones, or on its own in serial mode
        Lock,       // DTMF: the lock code; serial: the lock line until "+"
    };
    enum class Mode { Both, Serial, Dtmf };

    Kind kind = Kind::Command;
    Mode mode = Mode::Both;
    ControllerCommand command;
    bool awaitsReply = true;
    QString text;
    int ms = 0;
    QByteArray wavImage;
    // The index of an earlier step this one undoes: once that step went out,
    // this one goes out after a failure too (the recorder stopped once started).
    std::optional<std::size_t> undoes;

    bool runsIn(bool dtmf) const { return mode == Mode::Both || (mode == Mode::Dtmf) == dtmf; }

    static AtOnceStep sending(ControllerCommand command, bool awaitsReply = true)
    {
        AtOnceStep s;
        s.command = std::move(command);
        s.awaitsReply = awaitsReply;
        return s;
    }
    static AtOnceStep serialText(QString text, std::optional<std::size_t> undoes = std::nullopt)
    {
        AtOnceStep s;
        s.kind = Kind::SerialText;
        s.mode = Mode::Serial;
        s.text = std::move(text);
        s.undoes = undoes;
        return s;
    }
    static AtOnceStep pause(int ms, Mode mode = Mode::Both)
    {
        AtOnceStep s;
        s.kind = Kind::Pause;
        s.mode = mode;
        s.ms = ms;
        return s;
    }
    static AtOnceStep sound(QByteArray wavImage)
    {
        AtOnceStep s;
        s.kind = Kind::Sound;
        s.wavImage = std::move(wavImage);
        return s;
    }
    static AtOnceStep lock(Mode mode = Mode::Both)
    {
        AtOnceStep s;
        s.kind = Kind::Lock;
        s.mode = mode;
        return s;
    }
};

// Commands an editor sends at once, outside an upload, in one frame.
struct AtOnce {
    // The run step by step. When empty it is made of the commands: each with
    // its serial pause before it, then, when `lock` is set, the DTMF lock code.
    std::vector<AtOnceStep> steps;
    std::vector<ControllerCommand> commands;
    // DTMF: the port whose unlock code opens the frame.
    int unlockPort = 1;
    // DTMF: the frame is closed with the lock code.
    bool lock = true;
    // Runs once every command was accepted, before the lock code is played:
    // a new lock code is then closed with the new lock.
    std::function<void(SettingsTables&)> adopt;
    // Serial mode: runs when a command went out and got no answer (a time-out,
    // the give-up, an abandoned wait), so the controller may have taken it;
    // not for a line that was never written.
    std::function<void()> unanswered;
    // Gives command i (counting the command steps) again just before it goes
    // out, for a command that holds the moment it is sent; the step stands
    // for it until then.
    std::function<ControllerCommand(std::size_t i)> fresh;
    // Serial mode: the wait before command i; none past the list's end.
    std::vector<int> serialPausesMs;
    // Serial mode: a command that got no answer does not stop the frame (the
    // reply check has told the user) and the next one goes out; the frame
    // still fails, as the controller may not have it.
    bool goesOnUnanswered = false;
    // The serial port is closed afterwards, also when it was open before.
    bool closePortAfter = false;
    // Serial mode: a failure is told in one message, after the steps that
    // close the run went out; a step that got no answer is named in it. The
    // closing steps' own failures then show nothing more.
    bool oneMessage = false;

    // The steps the run goes through.
    std::vector<AtOnceStep> run() const;
};
