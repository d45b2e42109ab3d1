#include "download/OptionBoardFile.h"

#include "store/SettingsNotices.h"
#include "store/SettingsTables.h"

#include <QFile>

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
    for (QByteArray raw : file.readAll().split('\n')) {
        while (raw.endsWith('\r'))
            raw.chop(1);
        const QString line = QString::fromLatin1(raw);
        const QStringView tag = QStringView(line).first(qMin<qsizetype>(line.size(), 2));
        if (tag == u"RA" || tag == u"RT") {
            const bool autoDial = tag == u"RA";
            const auto index = indexOf(line, autoDial ? Count::AutoDialSlots : Count::TollEntries);
            auto& entries = autoDial ? board.autoDial : board.tollRestrict;
            if (!index || (!autoDial && entries.size() >= std::size_t(Count::TollEntries)))
                ++board.skipped;
            else
                entries.emplace_back(*index, line.mid(5));
        } else if (tag == u"RS") {
            board.answerCode = line.mid(2);
        } else if (tag == u"RR") {
            board.ringNumber = line.mid(2);
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
    for (const auto& [entry, value] : file.tollRestrict)
        WriteSetting(tables, notices, ElementOf(&SettingsTables::TollRestrict, entry), value);
    tables.SpecialCodesChanged = true;
}
