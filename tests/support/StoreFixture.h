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

#include <QDir>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

// Fresh tables, a real profile on a scratch folder and a log beside it.
struct StoreFixture {
    TempDir dir;
    SettingsTables tables;
    IniFileProfile profile;
    ErrorLog log;
    ScriptedDialogs dialogs;

    StoreFixture() { EXPECT_TRUE(log.create(dir.path("error.log"))); }

    // Reads a configuration file into the fixture's tables, or into others.
    void read(const QString& file) { read(file, tables); }
    void read(const QString& file, SettingsTables& into)
    {
        into.CurrentDatFile = file;
        ReadDatFile(into, profile, log, dialogs);
    }
    // What the reader makes of a configuration file that does not exist.
    void readDefaults(SettingsTables& into) { read(dir.path("none.dat"), into); }

    // The defaults of a missing file, saved by the writer as a new file: a
    // name in the scratch folder, or a full path.
    QString saveDefaultsAs(const QString& name)
    {
        readDefaults(tables);
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
