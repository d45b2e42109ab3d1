#pragma once

#include "editors/SettingsEditor.h"

#include <array>

// The switches of the three ports (one column each), their tail messages
// with the macro of each and the tail counter, the alarm inputs and speech
// with the terminator. Ticking the inactivity switch turns that port's
// inactivity timer off, and "NONE" as tail message its tail message timer.
class PortSwitches final : public SettingsEditor {
    Q_OBJECT
public:
    explicit PortSwitches(AppContext& context, QWidget* parent = nullptr);

protected:
    void changed(int field, int port) override;
    void afterApply(const std::vector<FieldElement>& written) override;

private:
    QWidget* portColumn(int port);
    QWidget* sidePanel();
    // The tail message port p plays (1 to 3) in the working copy; 0 for none.
    int tailMessage(int port) const;
    void showTailControls(int port);
    // Stores "0" at once with its flag and section, unless it is "0" already.
    void zero(const SettingBinding& setting, int port, bool SettingsTables::* section);

    int m_tailMessage = -1;
    std::array<int, 4> m_macroChooser{}; // by port, from 1
};
