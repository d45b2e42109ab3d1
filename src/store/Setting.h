#pragma once

#include "store/SettingsTables.h"

// Names one setting of the tables: a single text or a text array. A single
// text is every index's element, so callers keep their own index convention.
struct Setting {
    QString SettingsTables::* scalar = nullptr;
    TextArray SettingsTables::* array = nullptr;

    constexpr Setting() = default;
    constexpr Setting(QString SettingsTables::* s) : scalar(s) {}
    constexpr Setting(TextArray SettingsTables::* a) : array(a) {}

    bool isArray() const { return array != nullptr; }
    bool isSet() const { return scalar || array; }
    // The array's size, 1 for a single text.
    int count(const SettingsTables& tables) const { return array ? (tables.*array).count() : 1; }
    QString& at(SettingsTables& tables, int i) const { return array ? (tables.*array)[i] : tables.*scalar; }
    const QString& at(const SettingsTables& tables, int i) const
    {
        return array ? (tables.*array)[i] : tables.*scalar;
    }
    bool operator==(const Setting&) const = default;
};

// One element of the settings tables: an element of an array, or a single
// setting (index 0).
struct SettingElement {
    Setting setting;
    int index = 0;

    bool operator==(const SettingElement&) const = default;
    QString& value(SettingsTables& tables) const { return setting.at(tables, index); }
};

inline SettingElement ElementOf(TextArray SettingsTables::* array, int index) { return {array, index}; }
inline SettingElement ElementOf(QString SettingsTables::* scalar) { return {scalar, 0}; }
