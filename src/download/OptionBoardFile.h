#pragma once

#include "platform/Status.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class SettingsNotices;
struct SettingsTables;

// What the option board file holds, line by line in its order: tagged lines
// "RA" (autodial slot, three digits, number), "RT" (toll restriction entry,
// three digits, entry), "RS" (answer code), "RR" (number of rings), each value
// made of DTMF keys; every other line is nothing to it.
struct OptionBoardFile {
    Status status = Status::success(); // a file that cannot be read holds nothing
    std::vector<std::pair<int, QString>> autoDial;
    // In file order, at most 100. The list is one whole: none when the board's
    // transfer stopped short, and the list in the settings stays.
    std::optional<std::vector<std::pair<int, QString>>> tollRestrict;
    std::optional<QString> answerCode; // the last "RS"
    std::optional<QString> ringNumber; // the last "RR"
    // Tagged lines with no index, an index out of range, a value that is not
    // made of DTMF keys (line noise), or toll entries past the hundredth.
    int skipped = 0;
};

OptionBoardFile ReadOptionBoardFile(const QString& path);
// The autodial slots with their changed flags and the toll restriction
// entries, when the list came, into the settings; the autopatch sections are to be saved, even
// when the file named nothing.
void StoreOptionBoard(SettingsTables& tables, const SettingsNotices& notices, const OptionBoardFile& file);
