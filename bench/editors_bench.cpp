#include "CountedDialogs.h"
#include "editors/macros/Macros.h"
#include "FakeClock.h"
#include "FakeSerialPort.h"
#include "mainwindow/EditorManager.h"
#include "mainwindow/ZarnMain.h"
#include "platform/ComPorts.h"
#include "platform/IniFileProfile.h"
#include "platform/SoundOutput.h"
#include "platform/SystemClock.h"
#include "store/AppContext.h"
#include "store/ErrorLog.h"
#include "store/SettingsNotices.h"
#include "store/SettingsTables.h"

#include <QApplication>
#include <QTabBar>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Nothing is played while editors are made.
class NoSound final : public SoundOutput {
public:
    Status beginRun() override { return Status::success(); }
    Status playWav(const QByteArray&) override { return Status::success(); }
    Status playSilence(int) override { return Status::success(); }
    Status endRun() override { return Status::success(); }
    void stop() override {}
};

// The main window's world on a copy of the shipped sample configuration,
// with a serial port and a sound output that do nothing.
struct Rig {
    Rig()
    {
        qputenv("TARVEX_PROGRAMMER_HOME", dir.path().toLocal8Bit());
        const QString sample = dir.filePath("sample.dat");
        QFile::copy(QStringLiteral(SAMPLE_DAT), sample);
        QFile::setPermissions(sample, QFile::ReadOwner | QFile::WriteOwner);
        (void)profile.write(settingsFile, "Main", "LastTarvexFile", sample);
    }

    QTemporaryDir dir;
    QString settingsFile = dir.filePath("zarn.ini");
    SystemClock systemClock;
    IniFileProfile profile{systemClock};
    CountedDialogs dialogs;
    FakeClock clock;
    ErrorLog log;
    SettingsTables tables;
    FakeSerialPort serial;
    NoSound sound;
    SettingsNotices notices;
    ComPorts comPorts{[](const QString&) { return QString(); }, [] { return QStringList(); }};
    AppContext context{tables, profile, dialogs, clock, log, settingsFile, serial, comPorts, sound, notices};
};

// The rig with the main window loaded, as after the start-up.
struct Loaded : Rig {
    explicit Loaded(benchmark::State& state)
    {
        if (!main.load())
            state.SkipWithError("the start-up did not load");
    }
    ZarnMain main{context};
};

// The start-up's load: the configuration read and the editors of the tabs created.
void BM_StartUpLoad(benchmark::State& state)
{
    Rig rig;
    for (auto _ : state) {
        ZarnMain main(rig.context);
        if (!main.load())
            state.SkipWithError("the start-up did not load");
        benchmark::DoNotOptimize(main.editors().frontTab());
    }
}
BENCHMARK(BM_StartUpLoad)->Unit(benchmark::kMillisecond);

// File New, Open and the download: every editor closed and made afresh,
// then what the event loop does right after a reload: the new editors' posted
// events, and the closed editors deleted. Without that they would pile up,
// hidden and still listening, and every deletion would search the growing
// queue of events.
void BM_ReloadEditors(benchmark::State& state)
{
    Loaded rig(state);
    ZarnMain& main = rig.main;
    for (auto _ : state) {
        main.reloadEditors();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["editors"] = static_cast<double>(main.editors().startUpTabs().size());
}
BENCHMARK(BM_ReloadEditors)->Unit(benchmark::kMillisecond);

// The macro editor made on the sample: 180 boxes and the 532 rows of the function list.
void BM_MacroEditorBuild(benchmark::State& state)
{
    Loaded rig(state);
    for (auto _ : state) {
        Macros editor(rig.context, rig.main.controller());
        benchmark::DoNotOptimize(&editor);
    }
}
BENCHMARK(BM_MacroEditorBuild)->Unit(benchmark::kMillisecond);

// The user goes to the macro tab and back, with what the event loop then
// does to show each page; leaving runs the macro editor's Apply.
void BM_MacroTabSwitch(benchmark::State& state)
{
    Loaded rig(state);
    ZarnMain& main = rig.main;
    main.show();
    QCoreApplication::processEvents();
    const int macros = 2, timers = 0;
    for (auto _ : state) {
        main.tabBar()->setCurrentIndex(macros);
        QCoreApplication::processEvents();
        main.tabBar()->setCurrentIndex(timers);
        QCoreApplication::processEvents();
    }
    if (main.currentTab() != timers)
        state.SkipWithError("the tab did not change");
}
BENCHMARK(BM_MacroTabSwitch)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
