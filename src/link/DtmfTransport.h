#pragma once

#include "link/CommandTransport.h"
#include "link/KeyedRun.h"

class DtmfPlayer;
class SerialLink;
class SoundOutput;
struct SettingsTables;

// The uploads' transport in DTMF mode: one keyed run of tones from begin to
// end, each command framed by the unlock and lock codes. The controller gives
// no reply, so a command played is a command accepted. A failure of the sound
// output ends the sending: the command is reported Interrupted, and the
// reason is shown once, when the run ends.
class DtmfTransport final : public CommandTransport {
public:
    DtmfTransport(SettingsTables& tables, SoundOutput& sound, SerialLink& link, DtmfPlayer& player);

    bool dtmfMode() const override { return true; }
    Status begin() override;
    Outcome send(const ControllerCommand& command, int unlockPort, Framing framing) override;
    Outcome lock() override;
    Status sendWithoutReply(const ControllerCommand& command) override;
    void pause(int ms) override;
    Status end() override;

private:
    // Keeps the first failure of the run.
    void note(const Status& status);

    SettingsTables& m_tables;
    SoundOutput& m_sound;
    SerialLink& m_link;
    DtmfPlayer& m_player;
    KeyedRun m_run;
    Status m_status = Status::success();
};
