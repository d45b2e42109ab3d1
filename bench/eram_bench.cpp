// A complete download's memory file into the settings tables: checked whole,
// then every field of the image decoded.

#include "MemoryImageBuilder.h"
#include "SampleConfiguration.h"
#include "download/LoadEram.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Every field of the image filled, as a controller in use holds it.
QByteArray fullMemoryFile()
{
    SettingsTables sample;
    SampleConfiguration(1).fill(sample);
    return MemoryFileText(BuildMemoryImage(sample));
}

template <typename Parse>
void timeParse(benchmark::State& state, Parse parse)
{
    SettingsTables tables;
    for (auto _ : state) {
        if (!parse(tables).status.ok())
            std::abort();
        benchmark::DoNotOptimize(tables.Macro[1]);
    }
}

void parseFromText(benchmark::State& state)
{
    const QByteArray text = fullMemoryFile();
    timeParse(state, [&](SettingsTables& tables) { return LoadEramText(tables, text); });
}
BENCHMARK(parseFromText)->Unit(benchmark::kMillisecond);

void parseFromFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("download.mem");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(fullMemoryFile()) < 0)
        std::abort();
    file.close();
    timeParse(state, [&](SettingsTables& tables) { return LoadEramFile(tables, path); });
}
BENCHMARK(parseFromFile)->Unit(benchmark::kMillisecond);

} // namespace
