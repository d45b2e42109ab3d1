#pragma once

#include "link/CommandTransport.h"

#include <QString>
#include <functional>
#include <vector>

struct SettingsTables;

// A changed flag an upload step sends and clears.
struct StepFlag {
    QString key; // names the flag, so steps sharing one can be told apart
    std::function<bool&(SettingsTables&)> ref;
};

// When a step's flags are cleared once its command is sent.
enum class Clear {
    OnAccept,          // kept when refused, so the next upload sends it again
    OnAcceptOrRefusal, // a refused command is not sent again
    Later,             // a later step with the same flag clears it
};

// One command of an upload with its flags and framing.
struct UploadStep {
    QString name; // the setting, for the user
    std::function<ControllerCommand(const SettingsTables&)> build;
    std::vector<StepFlag> flags;
    int unlockPort = 1;
    Clear clear = Clear::OnAccept;
    Framing framing = Framing::Full;
    bool serialOnly = false;    // no DTMF form: skipped in DTMF mode, flags kept
    bool dtmfNotNeeded = false; // the editor already played it: DTMF mode only clears the flags
    int pauseBefore = 0, pauseAfter = 0;
    int progress = 0; // bar advance after the step
    // Run after the command was accepted.
    std::function<void(SettingsTables&)> adopt;
};
