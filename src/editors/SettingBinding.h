#pragma once

#include "store/SettingsNotices.h"

// Where one edited setting lives in the tables and which changed flag covers
// it: a single setting or an array indexed like the table, with a flag that
// is a bool (for an array: one flag for all its elements), an element of a
// flag array with the same index, or one fixed element of a flag array (a
// group flag such as a meter's reference voltage).
struct SettingBinding {
    Setting setting;
    FlagArray SettingsTables::* arrayFlag = nullptr;
    bool SettingsTables::* scalarFlag = nullptr;
    int flagElement = 0; // 0: the setting's own index

    // Index i of the copies (1 for a single setting) as an element of the tables.
    SettingElement element(int i) const { return {setting, setting.isArray() ? i : 0}; }
    // The element index of the copies that `e` stands for; 0 when it is none of this setting's.
    int indexOf(const SettingElement& e) const
    {
        if (!setting.isSet() || e.setting != setting)
            return 0;
        return setting.isArray() ? e.index : 1;
    }
    void raiseFlag(SettingsTables& tables, int i) const
    {
        if (arrayFlag)
            (tables.*arrayFlag)[flagElement ? flagElement : i] = true;
        else if (scalarFlag)
            tables.*scalarFlag = true;
    }
};

inline SettingBinding Bind(TextArray SettingsTables::* array, FlagArray SettingsTables::* flag)
{
    return {array, flag, nullptr, 0};
}
// Every element of the array under one element of a flag array (a port's
// tail message macros under that port's flag).
inline SettingBinding Bind(TextArray SettingsTables::* array, FlagArray SettingsTables::* flag, int element)
{
    return {array, flag, nullptr, element};
}
// An array whose elements all share one flag (the remote base memories).
inline SettingBinding Bind(TextArray SettingsTables::* array, bool SettingsTables::* flag)
{
    return {array, nullptr, flag, 0};
}
inline SettingBinding Bind(QString SettingsTables::* scalar, bool SettingsTables::* flag)
{
    return {scalar, nullptr, flag, 0};
}
inline SettingBinding Bind(QString SettingsTables::* scalar, FlagArray SettingsTables::* flag, int element)
{
    return {scalar, flag, nullptr, element};
}
// Only a flag array, element by element: a flag raised beside a setting's own.
inline SettingBinding FlagOnly(FlagArray SettingsTables::* flag) { return {{}, flag, nullptr, 0}; }
