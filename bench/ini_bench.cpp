// A whole configuration through the disk profile: 1,549 keys in 19 sections.

#include "platform/IniFileProfile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int SectionCount = 19;
constexpr int KeyCount = 1549;

const char* const SectionNames[SectionCount] = {
    "Main", "Ports", "Timers", "Alarms", "DTMF", "Unlock", "IDs", "Messages", "Macros", "Tails",
    "Courtesy", "Links", "Remote", "Scheduler", "Inputs", "Outputs", "Audio", "Encoders", "Misc"};
const char* const KeyNames[] = {"HangTime", "TimeoutTime", "MacroToRun", "CourtesyTone", "IDMessage",
                                "PLEncodePolarity", "GeneralTimer", "DTMFMemory"};
const char* const Values[] = {"0", "15", "250", "1", "123 456 789", "NONE STORED", "001 002 003", "W1ABC"};

// The same keys with their values; `round` varies the values.
std::vector<ProfileEntry> configuration(int round)
{
    std::vector<ProfileEntry> entries;
    entries.reserve(KeyCount);
    for (int i = 0; i < KeyCount; ++i) {
        const int inSection = i / SectionCount;
        entries.push_back({QString::fromLatin1(SectionNames[i % SectionCount]),
                           QStringLiteral("%1(%2)").arg(QLatin1String(KeyNames[inSection % 8]))
                               .arg(inSection / 8 + 1),
                           QString::fromLatin1(Values[(i + round) % 8])});
    }
    return entries;
}

struct Fixture {
    Fixture()
    {
        if (!IniFileProfile().writeBatch(file, configuration(0)))
            std::abort();
    }
    QTemporaryDir dir;
    const QString file = dir.filePath("config.dat");
};

// The first read after a change: parse, then every key.
void readEveryKey(benchmark::State& state)
{
    Fixture fixture;
    const auto entries = configuration(0);
    for (auto _ : state) {
        IniFileProfile profile;
        for (const ProfileEntry& e : entries)
            benchmark::DoNotOptimize(profile.read(fixture.file, e.section, e.key));
    }
}
BENCHMARK(readEveryKey)->Unit(benchmark::kMillisecond);

// A full save over the existing file, synced to disk.
void writeEveryKeyInOneBatch(benchmark::State& state)
{
    Fixture fixture;
    const std::vector<ProfileEntry> rounds[] = {configuration(1), configuration(2)};
    IniFileProfile profile;
    int round = 0;
    for (auto _ : state) {
        if (!profile.writeBatch(fixture.file, rounds[++round % 2]))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(writeEveryKeyInOneBatch)->Unit(benchmark::kMillisecond);

} // namespace
