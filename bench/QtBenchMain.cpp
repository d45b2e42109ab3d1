#include <QCoreApplication>
#include <benchmark/benchmark.h>

// The serial port needs an application object for its notifiers.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
