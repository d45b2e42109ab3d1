#pragma once

#include <QString>
#include <vector>

// The controller's numbered functions as the macro editor offers them.
struct MacroFunction {
    int number;    // 1 to 490; written in a macro as three digits
    QString list;  // the wording after the code in the function list
    QString brief; // the wording in a macro's description
};

// The 483 functions in list order: groups of related functions, numbers
// ascending except that the general timers' stops and the macro subset come
// before the scheduler's set points.
const std::vector<MacroFunction>& MacroFunctionCatalogue();

// One row of the function list: "001 Port 1 CTCSS Access" with its function's
// number, or a separator of blanks with the number 0.
struct FunctionRow {
    QString text;
    int number;
};
// The catalogue with a separator between each two groups: 532 rows.
const std::vector<FunctionRow>& FunctionListRows();

// A function number as a macro holds it: three digits, "007" for 7.
QString FunctionCode(int number);
// The catalogue entry of a three-digit code ("013"); null for any other text.
const MacroFunction* FindFunction(const QString& code);

// A macro's functions in brief, joined by " | ": "013 037" gives
// "Port 1 Xmtr Enable | Port 1 Repeat ON". Leading blanks are skipped, a
// trailing blank adds nothing, and a piece that is no function's code (an
// empty one between two blanks included) shows as that piece and "?".
QString DescribeMacro(const QString& text);
