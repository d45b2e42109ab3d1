#pragma once

#include "editors/SettingsEditor.h"

// The eight analog meter channels with their types and calibration points,
// the reference voltage, and the ten meter alarms, one shown at a time.
class Analog final : public SettingsEditor {
    Q_OBJECT
public:
    explicit Analog(AppContext& context, QWidget* parent = nullptr);

private:
    QWidget* channelPage(int channel);
    QWidget* referencePage();

    int m_alarm = -1; // the selector of the meter alarm shown
};
