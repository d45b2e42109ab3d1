#include "ControllerSimulator.h"
#include "DownloadServer.h"
#include "MemoryImageBuilder.h"
#include "SampleConfiguration.h"
#include "download/DownloadProgress.h"
#include "download/MemoryDownload.h"
#include "platform/QtSerialPort.h"
#include "platform/SystemClock.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct NoWindow final : DownloadProgress {
    void start(const QString&, int) override {}
    void setValue(int) override {}
    void finish() override {}
    bool canceled() const override { return false; }
};

// A controller in use: every field of the image holds a setting other than
// its default, so many records hold a value of 1 to 25, which one more digit
// could still grow.
MemoryImage realisticImage()
{
    SettingsTables sample;
    SampleConfiguration(1).fill(sample);
    return BuildMemoryImage(sample);
}

// A whole memory image from the controller simulator answering each "OK" at
// once over a pseudo-terminal: the program's time per record is the time of an
// iteration divided by 4096.
void downloadImage(benchmark::State& state, const MemoryImage& image, bool lineEnds)
{
    ControllerSimulator controller;
    DownloadServer server;
    server.image = image;
    server.lineEnds = lineEnds;
    server.serve(controller);
    QtSerialPort port([&](int) { return controller.devicePath(); });
    port.setPortNumber(1);
    if (const Status opened = port.open(); !opened) {
        state.SkipWithError(opened.reason().toLocal8Bit().constData());
        return;
    }
    QTemporaryDir dir;
    SystemClock clock;
    NoWindow window;
    MemoryDownload download(port, clock, window);
    for (auto _ : state)
        if (download.receiveImage(dir.filePath("download.mem")).way != TransferEnd::Way::Complete) {
            state.SkipWithError("the download did not complete");
            break;
        }
    state.counters["ms_per_record"] = benchmark::Counter(double(state.iterations()) * MemoryImageSize,
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["values_1_to_25"] = double(std::count_if(image.begin(), image.end(),
                                                            [](quint8 v) { return v >= 1 && v <= 25; }));
}

void ZerosImageDownload(benchmark::State& state) { downloadImage(state, MemoryImage{}, state.range(0)); }
void RealisticImageDownload(benchmark::State& state) { downloadImage(state, realisticImage(), state.range(0)); }

} // namespace

// The argument: records with a line end (1) or without (0).
BENCHMARK(ZerosImageDownload)->ArgName("line_ends")->Arg(1)->Arg(0)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RealisticImageDownload)->ArgName("line_ends")->Arg(1)->Arg(0)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
