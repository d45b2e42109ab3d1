// The whole configuration through the reader and the writer, on disk.

#include "platform/Dialogs.h"
#include "platform/IniFileProfile.h"
#include "store/DatFileReader.h"
#include "store/DatFileWriter.h"
#include "store/ErrorLog.h"
#include "store/SettingsTables.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// The reader shows no dialog for a valid file; any that comes is answered Ok.
class SilentDialogs final : public Dialogs {
public:
    Answer message(const QString&, const QString&, Buttons, Icon) override { return Answer::Ok; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&, const QString&) override { return {}; }
};

struct Fixture {
    Fixture()
    {
        // A full file of defaults, as the program itself writes it.
        tables.CurrentDatFile = dir.filePath("none.dat");
        IniFileProfile profile;
        ReadDatFile(tables, profile, log, dialogs);
        tables.CurrentDatFile = dir.filePath("site.dat");
        tables.setAllSectionFlags(true);
        if (!WriteDatFile(tables, profile))
            std::abort();
    }
    QTemporaryDir dir;
    SettingsTables tables;
    ErrorLog log;
    SilentDialogs dialogs;
};

void readAndValidate(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        IniFileProfile profile; // a fresh cache: the file is parsed every time
        SettingsTables t;
        t.CurrentDatFile = f.tables.CurrentDatFile;
        ReadDatFile(t, profile, f.log, f.dialogs);
        benchmark::DoNotOptimize(t.HangTime[1]);
    }
}
BENCHMARK(readAndValidate)->Unit(benchmark::kMillisecond);

void writeWhole(benchmark::State& state)
{
    Fixture f;
    IniFileProfile profile;
    int round = 0;
    for (auto _ : state) {
        f.tables.HangTime[1] = QString::number(++round % 200);
        f.tables.setAllSectionFlags(true);
        if (!WriteDatFile(f.tables, profile))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(writeWhole)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
