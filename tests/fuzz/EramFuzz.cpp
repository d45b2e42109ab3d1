// Feeds arbitrary bytes to the memory image parser, as a memory file's text
// and as the image itself: it must neither crash nor hang, a refused file
// must change nothing, no control character (C0, DEL or C1) may reach a
// setting, and every setting stored is one the configuration file reader
// takes unchanged.
#include "ReaderRule.h"
#include "download/LoadEram.h"
#include "store/KeyRegistry.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const QString Before = QStringLiteral("before");

template <typename F>
void forEachValue(SettingsTables& t, F f)
{
    for (const KeyStem& stem : KeyRegistry())
        for (int i = stem.isArray() ? 1 : 0; i <= (stem.isArray() ? stem.count : 0); ++i)
            f(stem.value(t, i));
    f(t.Lock);
    f(t.CurrentTerminator);
}

void checkNoControlCharacters(SettingsTables& t)
{
    forEachValue(t, [](const QString& value) {
        for (const QChar c : value)
            if (IsControlCode(c.unicode()))
                std::abort();
    });
}

// Only the settings the parse wrote: the others keep the marker.
void checkReaderTakesEveryValue(SettingsTables& t)
{
    for (const KeyStem& stem : KeyRegistry())
        for (int i = stem.isArray() ? 1 : 0; i <= (stem.isArray() ? stem.count : 0); ++i)
            if (const QString& value = stem.value(t, i); value != Before && !ReaderTakesUnchanged(stem, value))
                std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SettingsTables tables;
    forEachValue(tables, [](QString& value) { value = Before; });
    tables.DataSaved = true;
    const EramLoad load = LoadEramText(tables, QByteArrayView(data, qsizetype(size)));
    if (load.status.ok()) {
        if (tables.DataSaved || load.notHeld.isEmpty())
            std::abort();
        checkNoControlCharacters(tables);
        checkReaderTakesEveryValue(tables);
    } else {
        if (load.status.reason().isEmpty() || !tables.DataSaved)
            std::abort();
        forEachValue(tables, [](const QString& value) {
            if (value != Before)
                std::abort();
        });
    }

    MemoryImage image{};
    std::memcpy(image.data(), data, std::min(size, image.size()));
    SettingsTables fromImage;
    forEachValue(fromImage, [](QString& value) { value = Before; });
    StoreMemoryImage(fromImage, image);
    checkNoControlCharacters(fromImage);
    checkReaderTakesEveryValue(fromImage);
    return 0;
}
