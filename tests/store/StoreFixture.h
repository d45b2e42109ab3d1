#pragma once

#include "MemoryProfile.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "platform/IniFileProfile.h"
#include "store/DatFileReader.h"
#include "store/DatFileWriter.h"
#include "store/ErrorLog.h"
#include "store/KeyRegistry.h"
#include "store/SettingsTables.h"

#include <QStringList>
#include <functional>

// Fresh tables, a real profile on a scratch folder and a log beside it.
struct StoreFixture {
    TempDir dir;
    SettingsTables tables;
    IniFileProfile profile;
    ErrorLog log;
    ScriptedDialogs dialogs;

    StoreFixture() { log.create(dir.path("error.log")); }

    void read(const QString& file)
    {
        tables.CurrentDatFile = file;
        ReadDatFile(tables, profile, log, dialogs);
    }

    // The defaults of a missing file, saved by the writer as a new file: a
    // name in the scratch folder, or a full path.
    QString saveDefaultsAs(const QString& name)
    {
        read(dir.path("none.dat"));
        tables.CurrentDatFile = QDir::isAbsolutePath(name) ? name : dir.path(name);
        tables.setAllSectionFlags(true);
        EXPECT_TRUE(WriteDatFile(tables, profile).ok());
        return tables.CurrentDatFile;
    }

    QStringList logLines() const
    {
        QString text = QString::fromLatin1(TempDir::read(log.path()));
        if (text.isEmpty())
            return {};
        EXPECT_TRUE(text.endsWith("\r\n"));
        text.chop(2);
        return text.split("\r\n");
    }
};

// Calls f for every key of the configuration: its stem and its index (0 for a scalar).
inline void ForEachKey(const std::function<void(const KeyStem&, int)>& f)
{
    for (const auto& stem : KeyRegistry()) {
        if (!stem.isArray())
            f(stem, 0);
        for (int i = 1; stem.isArray() && i <= stem.count; ++i)
            f(stem, i);
    }
}
