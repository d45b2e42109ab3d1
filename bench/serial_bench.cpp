#include "ControllerSimulator.h"
#include "platform/QtSerialPort.h"

#include <benchmark/benchmark.h>

// One command round trip over a pseudo-terminal: throw away stale input, write
// the line, wait for the reply's first character, read it.
static void SerialRoundTrip(benchmark::State& state)
{
    ControllerSimulator controller;
    QtSerialPort port([&](int) { return controller.devicePath(); });
    port.setPortNumber(1);
    if (const Status opened = port.open(); !opened) {
        state.SkipWithError(opened.reason().toLocal8Bit().constData());
        return;
    }
    for (auto _ : state) {
        port.readAvailable();
        if (!port.write("1*100050\r") || !port.waitForData(3000) || port.readAvailable().isEmpty()) {
            state.SkipWithError("no reply");
            break;
        }
    }
    port.close();
}
BENCHMARK(SerialRoundTrip)->Iterations(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
