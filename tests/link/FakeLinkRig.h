#pragma once

#include "CaptureSound.h"
#include "FakeClock.h"
#include "FakeSerialPort.h"
#include "ScriptedDialogs.h"
#include "StandInLink.h"
#include "link/SerialLink.h"
#include "store/SettingsTables.h"

#include <deque>
#include <vector>

// The controller link over the in-process port and a capturing sound output
// in virtual time, each command line answered from a script: the chunks one
// poll after another sees, none for silence.
struct FakeLinkRig {
    using Chunks = std::vector<QByteArray>;

    FakeLinkRig()
    {
        tables.ComPortValue = "2";
        tables.CurrentLock = "9";
        tables.Terminator = "D";
        port.setResponder([this](const QByteArray& written) {
            if (!written.endsWith('\r') || answers.empty())
                return;
            for (const QByteArray& chunk : answers.front())
                port.queueReply(chunk);
            answers.pop_front();
        });
    }

    void script(std::initializer_list<Chunks> lines) { answers.insert(answers.end(), lines); }

    // One command as the uploads send it.
    SerialLink::Reply command(const QString& line = "1*100050\r")
    {
        (void)link.SendStr(line);
        tables.LastCommand = line;
        return link.CheckInput(line);
    }

    FakeClock clock;
    FakeSerialPort port{&clock};
    SettingsTables tables;
    ScriptedDialogs dialogs;
    CaptureSound sound{&clock};
    StandInLink controller{tables, port, sound, dialogs, clock};
    SerialLink& link = controller.serialLink();
    std::deque<Chunks> answers;
};
