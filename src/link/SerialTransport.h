#pragma once

#include "link/CommandTransport.h"

class Clock;
class SerialLink;
struct SettingsTables;

// The uploads' transport in serial mode: each line through the serial link,
// answered by the controller.
class SerialTransport final : public CommandTransport {
public:
    SerialTransport(SerialLink& link, SettingsTables& tables, Clock& clock);

    bool dtmfMode() const override { return false; }
    // Opens the port on ComPortValue unless it is open there already.
    Status begin() override;
    // Every line with its reply check; a time-out goes on with the next line,
    // a line not written (the failure shown) ends the command as NotSent.
    Outcome send(const ControllerCommand& command, int unlockPort, Framing framing) override;
    Outcome lock() override { return Outcome::Accepted; }
    Status sendWithoutReply(const ControllerCommand& command) override;
    void pause(int ms) override;
    // An interrupted run closes the port, as releasing the keying line does.
    Status end() override;

private:
    SerialLink& m_link;
    SettingsTables& m_tables;
    Clock& m_clock;
};
