#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Small text services shared by the store, the editors and the menus.

// The number a text begins with: blanks, tabs and line feeds anywhere are
// ignored; an optional sign, digits, a decimal point with digits and an
// exponent are read up to the first other character; "&H" and "&O" read a
// hexadecimal or octal integer. A text that does not begin with a number is 0;
// digits too many for a double are the largest double of their sign, and an
// overflowing exponent gives 0.
double LeadingNumber(QStringView text);
// That number written back in plain decimal, never with an exponent, with
// every digit it has ("100ms" gives "100", "007" gives "7", "" gives "0").
QString LeadingNumberText(QStringView text);

// Upper case within Latin-1, the configuration file's encoding: a letter
// whose capital Latin-1 cannot hold ("\u00FF", "\u00B5") stays as it is, so
// what is upper-cased can still be saved.
QString UpperLatin1(const QString& text);
// Leading and trailing blanks dropped, every run of blanks made one blank.
QString CollapseSpaces(QString& text);
// Every blank dropped and every other character followed by one blank but the
// last: "1 2  3" and "123" both give "1 2 3". "NONE STORED" stays.
QString SpaceOutDigits(const QString& text);
// The characters regrouped in threes from the left, joined by one blank:
// "001 0020 03" gives "001 002 003". "NONE STORED" stays.
QString GroupMacroCodes(const QString& text);
// A control code (C0, NUL among them, DEL or C1): nothing a setting can show or send.
constexpr bool IsControlCode(int code) { return code < 32 || (code >= 127 && code <= 159); }
// The end of a line as the controller and the option board send it: CR or LF.
constexpr bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
// The last piece of a path, split at both "\" and "/".
QString GetFileName(const QString& path);
// Items as a sentence lists them: "a", "a and b", "a, b and c".
QString JoinedWithAnd(QStringList items);

// The marker of an empty macro, message macro, DTMF memory or remote memory.
inline const QString NoneStored = QStringLiteral("NONE STORED");
// A setting's text with the marker read as nothing: what an empty memory
// holds, whether it was emptied here or came so from the controller.
QString WithoutNoneStored(const QString& text);
