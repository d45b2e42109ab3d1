#include "ControllerSimulator.h"
#include "DownloadServer.h"
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

} // namespace

// A whole memory image from the controller simulator answering each "OK" at
// once over a pseudo-terminal, records with a line end: the program's time
// per record is the time of an iteration divided by 4096.
static void MemoryImageDownload(benchmark::State& state)
{
    ControllerSimulator controller;
    DownloadServer server;
    for (int i = 0; i < MemoryImageSize; ++i)
        server.image[std::size_t(i)] = quint8(i * 7);
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
}
BENCHMARK(MemoryImageDownload)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
