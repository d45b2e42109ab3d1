#include "ControllerSimulator.h"
#include "CountedDialogs.h"
#include "DefaultConfiguration.h"
#include "link/CompleteUpload.h"
#include "link/SerialLink.h"
#include "link/SerialTransport.h"
#include "platform/QtSerialPort.h"
#include "platform/SystemClock.h"
#include "store/SettingsTables.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

// Real time, but the uploads' deliberate pauses are only added up, so that
// what is measured is the program's own work per line.
class PauseSkippingClock final : public Clock {
public:
    void sleep(int ms) override { skippedMs += ms; }
    void processEvents() override { m_clock.processEvents(); }
    std::int64_t elapsedMs() const override { return m_clock.elapsedMs(); }
    QDateTime now() const override { return m_clock.now(); }

    std::int64_t skippedMs = 0;

private:
    SystemClock m_clock;
};

} // namespace

// One command line through the link, SendStr and the reply check, to the
// controller simulator answering "+" at once over a pseudo-terminal.
static void LinkRoundTrip(benchmark::State& state)
{
    ControllerSimulator controller;
    QtSerialPort port([&](int) { return controller.devicePath(); });
    SettingsTables tables;
    tables.ComPortValue = "1";
    CountedDialogs dialogs;
    SystemClock clock;
    SerialLink link(port, tables, dialogs, clock);
    if (const Status opened = link.OpenSerialPort(); !opened) {
        state.SkipWithError(opened.reason().toLocal8Bit().constData());
        return;
    }
    for (auto _ : state) {
        if (!link.SendStr("1*100050\r") || link.CheckInput() != SerialLink::Reply::Accepted) {
            state.SkipWithError("no reply");
            break;
        }
    }
    if (dialogs.shown > 0)
        state.SkipWithError("a message was shown");
}
BENCHMARK(LinkRoundTrip)->Iterations(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A complete upload of the default configuration over the serial link to the
// controller simulator answering "+" at once.
static void CompleteSerialUpload(benchmark::State& state)
{
    SettingsTables tables;
    ReadDefaultConfiguration(tables);
    tables.ComPortValue = "1";
    ControllerSimulator controller;
    QtSerialPort port([&](int) { return controller.devicePath(); });
    CountedDialogs dialogs;
    PauseSkippingClock clock;
    SerialLink link(port, tables, dialogs, clock);
    SerialTransport transport(link, tables, clock);
    std::int64_t lines = 0;
    std::chrono::duration<double, std::milli> spent{0};
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        const std::size_t before = controller.lines().size();
        if (CompleteUpload(tables, transport, dialogs).run() != UploadRunner::Result::Completed) {
            state.SkipWithError("the upload did not complete");
            break;
        }
        spent += std::chrono::steady_clock::now() - started;
        // The reset goes out without a reply wait; count the lines once it is in.
        while (controller.lines().back().text != "1*21999" && controller.waitForLines(controller.lines().size() + 1)) {
        }
        lines += static_cast<std::int64_t>(controller.lines().size() - before);
    }
    if (dialogs.shown != state.iterations())
        state.SkipWithError("a message other than the end message was shown");
    state.counters["lines"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kAvgIterations);
    state.counters["lines_per_s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
    if (lines > 0)
        state.counters["ms_per_line"] = spent.count() / static_cast<double>(lines);
    state.counters["skipped_pause_ms"] =
        benchmark::Counter(static_cast<double>(clock.skippedMs), benchmark::Counter::kAvgIterations);
}
BENCHMARK(CompleteSerialUpload)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
