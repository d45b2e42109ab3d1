#include "download/LoadEram.h"

#include "download/MemoryFile.h"
#include "download/MemoryLayout.h"
#include "store/KeyRegistry.h"

#include <algorithm>

namespace {

std::optional<QString> decode(const MemoryImage& image, const LayoutRow& row, int element)
{
    const auto lines = std::span<const quint8>(image).subspan(std::size_t(row.line(element)), std::size_t(row.width));
    const int count = row.countFirst < 0 ? 0 : image[std::size_t(row.countFirst + element - 1)];
    return row.decode(lines, count);
}

EramLoad finished(SettingsTables& tables, const MemoryImage& image)
{
    StoreMemoryImage(tables, image);
    tables.DataSaved = false;
    return {Status::success(), SettingsNotHeld()};
}

} // namespace

void StoreMemoryImage(SettingsTables& tables, const MemoryImage& image)
{
    for (const LayoutRow& row : MemoryLayout()) {
        if (!row.setting.isSet())
            continue;
        for (int element = 1; element <= row.count; ++element)
            if (auto value = decode(image, row, element))
                row.setting.at(tables, element) = std::move(*value);
    }
}

QStringList SettingsNotHeld()
{
    QStringList names;
    const auto& rows = MemoryLayout();
    for (const KeyStem& stem : KeyRegistry()) {
        const SettingRef ref{stem.scalar, stem.array};
        if (std::none_of(rows.begin(), rows.end(), [&](const LayoutRow& row) { return row.setting == ref; }))
            names << stem.name;
    }
    return names;
}

EramLoad LoadEramText(SettingsTables& tables, QByteArrayView text)
{
    MemoryImage image;
    if (Status checked = CheckMemoryFile(text, image); !checked)
        return {checked, {}};
    return finished(tables, image);
}

EramLoad LoadEramFile(SettingsTables& tables, const QString& path)
{
    MemoryImage image;
    if (Status read = ReadMemoryFile(path, image); !read)
        return {read, {}};
    return finished(tables, image);
}
