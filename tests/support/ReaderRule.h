#pragma once

#include "store/KeyRegistry.h"

// The configuration file reader would take the value as it stands: neither
// refused for its default, nor quietly replaced, nor regrouped, cased or padded.
inline bool ReaderTakesUnchanged(const KeyStem& stem, const QString& value)
{
    const ValueRule& rule = stem.rule;
    if (rule.normalised(value) != value)
        return false;
    return rule.check == Check::AsRead
        || (rule.accepts(value) && !rule.quietlyReplaced(value) && rule.finished(value) == value);
}
