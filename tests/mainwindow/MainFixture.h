#pragma once

#include "CaptureSound.h"
#include "FakeClock.h"
#include "FakeSerialPort.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "editors/EditorWindow.h"
#include "store/AppContext.h"
#include "store/SettingsNotices.h"
#include "mainwindow/EditorManager.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/TransportMenu.h"
#include "mainwindow/ZarnMain.h"
#include "platform/ComPorts.h"
#include "platform/IniFileProfile.h"
#include "store/DatFileWriter.h"
#include "store/ErrorLog.h"
#include "store/SettingsTables.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabBar>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

// Tabs by their place in the strip, for the tests that name them.
constexpr int TimersTab = 0;
constexpr int MacrosTab = 2;
constexpr int SchedulerTab = 3;
constexpr int AnalogTab = 4;
constexpr int MessagesTab = 6;
constexpr int SpecialCodesTab = 9;

// The real profile, with a hook that runs before each write.
class HookProfile final : public Profile {
public:
    QString read(const QString& file, const QString& section, const QString& key) override
    {
        return m_real.read(file, section, key);
    }
    ProfileOutline outline(const QString& file) override { return m_real.outline(file); }
    Status write(const QString& file, const QString& section, const QString& key, const QString& value) override
    {
        if (onWrite)
            onWrite(file);
        return m_real.write(file, section, key, value);
    }
    Status writeBatch(const QString& file, const std::vector<ProfileEntry>& entries) override
    {
        if (onWrite)
            onWrite(file);
        return m_real.writeBatch(file, entries);
    }

    std::function<void(const QString& file)> onWrite;

private:
    IniFileProfile m_real;
};

// Stands for an editor: records each Apply with the tab in front at that
// moment, and holds an edit typed but not applied.
class RecordingEditor final : public EditorWindow {
    Q_OBJECT
public:
    RecordingEditor(int tab, AppContext& context, QStringList& events, QWidget* parent)
        : EditorWindow(parent), m_tab(tab), m_context(context), m_events(events)
    {
        setProperty("tab", tab);
        box = new QLineEdit(this);
        box->setObjectName(tab == 9 ? QStringLiteral("NewLockSet") : QStringLiteral("Box"));
    }

    bool applyEdits() override
    {
        auto* area = qobject_cast<QStackedWidget*>(parentWidget());
        const QVariant front = area && area->currentWidget() ? area->currentWidget()->property("tab") : QVariant();
        m_events << QStringLiteral("apply %1 front %2").arg(m_tab).arg(front.toInt());
        if (whileApplying) {
            // As a handler that lets events through: the user acts meanwhile.
            whileApplying();
            m_events << QStringLiteral("apply %1 returned").arg(m_tab);
        }
        if (pendingEdit) {
            m_context.tables.FanTime = QStringLiteral("123");
            m_context.tables.TimersChanged = true;
            m_context.tables.DataSaved = false;
            pendingEdit = false;
        }
        return !refuses;
    }

    void focusFirstEntry() override { box->setFocus(); }

    bool pendingEdit = false;
    bool refuses = false; // as an editor holding a value its Apply refuses
    std::function<void()> whileApplying;
    QLineEdit* box;

private:
    int m_tab;
    AppContext& m_context;
    QStringList& m_events;
};

class MainFixture : public testing::Test {
protected:
    MainFixture()
    {
        qputenv("TARVEX_PROGRAMMER_HOME", dir.root().toLocal8Bit());
        context = std::make_unique<AppContext>(
            AppContext{tables, profile, dialogs, clock, log, dir.path("zarn.ini"), serial, comPorts, sound, notices});
    }
    ~MainFixture() override { qunsetenv("TARVEX_PROGRAMMER_HOME"); }

    QString ini() const { return dir.path("zarn.ini"); }
    QString iniKey(const QString& key) { return profile.read(ini(), "Main", key); }
    void setIniKey(const QString& key, const QString& value)
    {
        ASSERT_TRUE(profile.write(ini(), "Main", key, value).ok());
    }

    // A copy of the shipped sample configuration, with some keys changed.
    QString datFile(const QString& name, const std::vector<ProfileEntry>& changes = {})
    {
        const QString path = dir.path(name);
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(QStringLiteral(SAMPLE_DAT), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        for (const ProfileEntry& e : changes)
            EXPECT_TRUE(profile.write(path, e.section, e.key, e.value).ok());
        return path;
    }

    EditorTabList recordingTabs()
    {
        EditorTabList tabs = EditorTabs();
        for (int tab = 0; tab < static_cast<int>(tabs.size()); ++tab)
            tabs[tab].create = [this, tab](AppContext& c, ControllerLink&, QWidget* parent) -> EditorWindow* {
                return new RecordingEditor(tab, c, events, parent);
            };
        return tabs;
    }

    // Starts the main window on a settings file that names `file`.
    void startOn(const QString& file)
    {
        setIniKey("LastTarvexFile", file);
        start();
    }
    void start(bool expectLoaded = true)
    {
        main = std::make_unique<ZarnMain>(*context, makeTabs());
        ASSERT_EQ(main->load(), expectLoaded);
        loadEvents = events;
        events.clear();
    }

    RecordingEditor* editor(int tab) { return static_cast<RecordingEditor*>(main->editors().editor(tab)); }
    MainMenus& menus() { return main->menus(); }

    TempDir dir;
    SettingsTables tables;
    FakeClock clock;
    HookProfile profile;
    ScriptedDialogs dialogs;
    ErrorLog log;
    FakeSerialPort serial{&clock};
    CaptureSound sound{&clock};
    SettingsNotices notices;
    ComPorts comPorts{[](const QString&) { return QString(); },
                      [] { return QStringList{"/dev/ttyUSB0", "/dev/ttyS0"}; }};
    std::unique_ptr<AppContext> context;
    QStringList events;
    QStringList loadEvents; // what the editors recorded during the start-up's load
    // The tab table start() gives the window: the recording editors unless a test chooses.
    std::function<EditorTabList()> makeTabs = [this] { return recordingTabs(); };
    std::unique_ptr<ZarnMain> main;
};
