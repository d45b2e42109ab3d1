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

} // namespace

// The copies held in memory only are read under the key of the setting they copy.
const KeyStem* ReaderStemOf(const Setting& setting)
{
    if (setting == Setting(&SettingsTables::Lock))
        return StemOf(&SettingsTables::CurrentLock);
    if (setting == Setting(&SettingsTables::CurrentTerminator))
        return StemOf(&SettingsTables::Terminator);
    return StemOf(setting); // none for a count the program keeps beside its text
}

namespace {

// Row by row of the layout.
const std::vector<const KeyStem*>& readerStems()
{
    static const std::vector<const KeyStem*> stems = [] {
        std::vector<const KeyStem*> s;
        for (const LayoutRow& row : MemoryLayout())
            s.push_back(ReaderStemOf(row.setting));
        return s;
    }();
    return stems;
}

// What the reader keeps once the value has been saved and read again as
// often as it takes to stand: it pads a short tone by one digit a read.
QString asTheReaderKeeps(const KeyStem& stem, int i, QString value)
{
    for (QString kept = stem.kept(value, i).text; kept != value; kept = stem.kept(value, i).text)
        value = std::move(kept);
    return value;
}

EramLoad finished(SettingsTables& tables, const MemoryImage& image)
{
    StoreMemoryImage(tables, image);
    tables.DataSaved = false;
    return {Status::success(), SettingsNotHeld()};
}

} // namespace

// What the image gives is stored as the configuration file reader would keep
// it, so a download saved and opened again is the same configuration: its
// form (a tone padded to four digits), or the reader's default where the
// image holds what no setting means (an erased byte, a number out of range).
void StoreMemoryImage(SettingsTables& tables, const MemoryImage& image)
{
    const auto& rows = MemoryLayout();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const LayoutRow& row = rows[r];
        if (!row.setting.isSet())
            continue;
        const KeyStem* stem = readerStems()[r];
        for (int element = 1; element <= row.count; ++element)
            if (auto value = decode(image, row, element))
                row.setting.at(tables, element) = stem ? asTheReaderKeeps(*stem, stem->isArray() ? element : 0, std::move(*value))
                                                       : std::move(*value);
    }
}

QStringList SettingsNotHeld()
{
    QStringList names;
    const auto& rows = MemoryLayout();
    for (const KeyStem& stem : KeyRegistry()) {
        if (std::none_of(rows.begin(), rows.end(), [&](const LayoutRow& row) { return row.setting == stem.setting; }))
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
