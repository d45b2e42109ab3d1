// Feeds arbitrary bytes to the test of a configuration file and to the
// configuration file reader as the file's contents: they must neither crash nor
// hang, and every setting the reader leaves must pass its own rule.
#include "MemoryProfile.h"
#include "ScriptedDialogs.h"
#include "store/ConfigurationFile.h"
#include "store/DatFileReader.h"
#include "store/ErrorLog.h"
#include "store/KeyRegistry.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemoryProfile profile;
    const QString file = QStringLiteral("fuzz.dat");
    profile.setBytes(file, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    SettingsTables tables;
    tables.CurrentDatFile = file;
    ErrorLog log; // not created: lines go nowhere
    ScriptedDialogs dialogs;
    // Open tests the file before it reads it.
    (void)CheckDatFile(profile, file);
    ReadDatFile(tables, profile, log, dialogs);

    for (const auto& stem : KeyRegistry()) {
        if (stem.rule.check == Check::AsRead)
            continue;
        for (int i = stem.isArray() ? 1 : 0; i <= (stem.isArray() ? stem.count : 0); ++i)
            if (!stem.rule.accepts(stem.value(tables, i)))
                std::abort();
    }
    if (tables.Terminator.size() != 1)
        std::abort();
    return 0;
}
