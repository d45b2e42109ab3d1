#pragma once

#include <QString>
#include <optional>

// A macro's function slots: a long macro (1 to 40) has 15, a short one (41 to 90) 4.
inline constexpr int LongMacroSlots = 15;
inline constexpr int ShortMacroSlots = 4;

// The slots a macro text uses, as the controller's editor has always counted
// them: the text's start and each blank open a slot, read as the number of
// the next three characters; a number of 255 or more takes two. So "" uses 1,
// "013 " 2 and "013 401" 3.
int MacroSlots(const QString& text);

// Why a macro cannot be stored within `limit` slots: anything but "NONE
// STORED" or catalogue codes of three digits separated by single blanks,
// within the slots. The configuration file regroups its digits in threes, so
// "13 037" would come back as "130 37".
std::optional<QString> MacroFault(const QString& text, int limit);

// "You can only use 15 functions in this macro! ..."
QString TooManyFunctionsText(int limit);

// The run code put into an emptied run code box: "7046" and the macro's number.
QString DefaultRunCode(int macro);
