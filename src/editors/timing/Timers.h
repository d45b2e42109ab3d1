#pragma once

#include "editors/SettingsEditor.h"

// The timers of the three ports, the aux audio and fan timers, the speech
// and Morse delay, the general timers with their macros and the time-out
// linking switch.
class Timers final : public SettingsEditor {
    Q_OBJECT
public:
    explicit Timers(AppContext& context, QWidget* parent = nullptr);

    void CancelChanges_Click();

signals:
    // The port switch editor's inactivity switch of `port` follows the
    // inactivity timer ("0" ticks it); its setting is already written.
    void InactivitySwitchSet(int port, bool ticked);

protected:
    void afterApply() override;

private:
    void addPortTimers();
    void addGlobals();
    void enableInactivityMacro(int port, bool on);
    void setInactivitySwitches();

    int m_inactiveTime = -1;
};
