#pragma once

#include "editors/SettingsEditor.h"

// The timers of the three ports, the aux audio and fan timers, the speech
// and Morse delay, the general timers with their macros and the time-out
// linking switch. Its Apply and Cancel set each port's inactivity switch
// from the inactivity timer.
class Timers final : public SettingsEditor {
    Q_OBJECT
public:
    explicit Timers(AppContext& context, QWidget* parent = nullptr);

protected:
    void changed(int field, int port) override;
    void afterApply(const std::vector<FieldElement>& written) override;
    void afterCancel() override;

private:
    QWidget* portPage(int port);
    QWidget* globalPage();
    void enableInactivityMacro(int port, bool on);
    void setInactivitySwitches();

    int m_inactiveTime = -1;
};
