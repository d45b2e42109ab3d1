#include "download/OptionBoardFile.h"

#include "link/DtmfPlayer.h"
#include "store/SettingsNotices.h"
#include "store/SettingsTables.h"

#include <QFile>
#include <algorithm>

namespace {

// Characters 3 to 5 as a decimal index from 1 to `count`.
std::optional<int> indexOf(const QString& line, int count)
{
    if (line.size() < 5)
        return std::nullopt;
    bool number = false;
    const int index = line.mid(2, 3).toInt(&number);
    if (!number || index < 1 || index > count)
        return std::nullopt;
    return index;
}

// Every value the board keeps is keys of a telephone pad; anything else is
// noise on the line, which no setting may take.
bool isKeys(QStringView value)
{
    return std::all_of(value.begin(), value.end(), [](QChar c) { return IsDtmfKey(c); });
}

} // namespace

OptionBoardFile ReadOptionBoardFile(const QString& path)
{
    OptionBoardFile board;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        board.status = Status::failure(
            QStringLiteral("The option board file %1 cannot be read: %2.").arg(path, file.errorString()));
        return board;
    }
    board.tollRestrict.emplace();
    auto& tollList = *board.tollRestrict;
    for (QByteArray raw : file.readAll().split('\n')) {
        while (raw.endsWith('\r'))
            raw.chop(1);
        const QString line = QString::fromLatin1(raw);
        const QStringView tag = QStringView(line).first(qMin<qsizetype>(line.size(), 2));
        const bool indexed = tag == u"RA" || tag == u"RT";
        if (!indexed && tag != u"RS" && tag != u"RR")
            continue;
        const QString value = line.mid(indexed ? 5 : 2);
        if (!isKeys(value)) {
            ++board.skipped;
        } else if (indexed) {
            const bool autoDial = tag == u"RA";
            const auto index = indexOf(line, autoDial ? Count::AutoDialSlots : Count::TollEntries);
            auto& entries = autoDial ? board.autoDial : tollList;
            if (!index || (!autoDial && entries.size() >= std::size_t(Count::TollEntries)))
                ++board.skipped;
            else
                entries.emplace_back(*index, value);
        } else {
            (tag == u"RS" ? board.answerCode : board.ringNumber) = value;
        }
    }
    return board;
}

void StoreOptionBoard(SettingsTables& tables, const SettingsNotices& notices, const OptionBoardFile& file)
{
    for (const auto& [slot, number] : file.autoDial) {
        WriteSetting(tables, notices, ElementOf(&SettingsTables::AutoDial, slot), number);
        tables.AutoDialChanged[slot] = true;
    }
    if (file.tollRestrict)
        for (const auto& [entry, value] : *file.tollRestrict)
            WriteSetting(tables, notices, ElementOf(&SettingsTables::TollRestrict, entry), value);
    tables.SpecialCodesChanged = true;
}
