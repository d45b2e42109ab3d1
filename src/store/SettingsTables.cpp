#include "store/SettingsTables.h"

namespace {

bool SettingsTables::* const sectionFlags[] = {
    &SettingsTables::TimersChanged, &SettingsTables::SchedulerChanged,
    &SettingsTables::AnalogChanged, &SettingsTables::RemoteChanged,
    &SettingsTables::AlarmsChanged, &SettingsTables::IDChanged,
    &SettingsTables::MacrosChanged, &SettingsTables::MacroPortsChanged,
    &SettingsTables::CourtesyChanged, &SettingsTables::IDExtrasChanged,
    &SettingsTables::MessageMacrosChanged, &SettingsTables::DTMFChanged,
    &SettingsTables::SpecialCodesChanged, &SettingsTables::MacroSubsetChanged,
    &SettingsTables::DTMFMuteDigitSelectChanged, &SettingsTables::PortSwitchesChanged,
};

} // namespace

void SettingsTables::setAllSectionFlags(bool on)
{
    for (auto flag : sectionFlags)
        this->*flag = on;
}

bool SettingsTables::anySectionFlag() const
{
    for (auto flag : sectionFlags)
        if (this->*flag)
            return true;
    return false;
}

bool SettingsTables::MeterAlarmEnabled(int alarm) const { return MeterAlarmType[alarm].trimmed() != u"0"; }
