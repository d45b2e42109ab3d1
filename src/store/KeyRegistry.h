#pragma once

#include "store/Setting.h"
#include "store/ValueRule.h"

#include <QString>
#include <vector>

// One key stem of the configuration file: a scalar key, or the keys
// Name(1) .. Name(count) of an array; where it lives, which setting holds it,
// how the reader tests it and what replaces a refused value.
struct KeyStem {
    QString name; // the setting's name, unique in the registry
    QString section;
    QString key; // the key stem in the file; "DTMF" for DTMFMemory
    int count = 0; // 0 for a scalar
    Setting setting;
    ValueRule rule;
    QString label;    // error-log line; "{i}" stands for the index
    QString fallback; // default; "{i}" stands for the index
    int indexOffset = 0; // added to the index in the label and the default
    bool SettingsTables::* saveFlag = nullptr; // set when the default replaces a value

    bool isArray() const { return setting.isArray(); }
    QString keyName(int i) const;
    QString& value(SettingsTables& tables, int i) const { return setting.at(tables, i); }
    QString logLabel(int i) const;
    QString defaultValue(int i) const;

    // What the reader keeps of a text read for key i.
    struct Kept {
        enum class Replaced { No, Quietly, Refused };
        QString text; // its normal form, finished, or the default when replaced
        Replaced replaced = Replaced::No;
    };
    Kept kept(const QString& read, int i) const;
};

// Every key stem of the configuration file, in the reader's order.
const std::vector<KeyStem>& KeyRegistry();
// The stem of that name; throws for a name that is not there.
const KeyStem& FindStem(const QString& name);
// The stem that holds the setting; none for what the file does not hold.
const KeyStem* StemOf(const Setting& setting);
// The same for a setting the file holds; throws for one it does not.
const KeyStem& FindStem(const Setting& setting);

inline constexpr int ConfigurationSections = 19;
inline constexpr int ConfigurationKeys = 1549;
