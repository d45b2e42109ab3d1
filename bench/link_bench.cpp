#include "ControllerSimulator.h"
#include "CountedDialogs.h"
#include "link/SerialLink.h"
#include "platform/QtSerialPort.h"
#include "platform/SystemClock.h"
#include "store/SettingsTables.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
