#include "editors/timing/Timers.h"

#include "editors/ControlNames.h"
#include "editors/timing/TimersLayout.h"
#include "store/AppContext.h"
#include "store/KeyRegistry.h"
#include "store/TextHelpers.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <limits>

using S = SettingsTables;

namespace {

struct TimerBox {
    const char* box;
    TextArray S::* setting;
    FlagArray S::* flag;
    double max;
    const char* message;
    LoadForm load = LoadForm::AsStored;
};

// The boxes of the per-port timers and the aux timers, each refused outside 0..max when left.
const TimerBox timerBoxes[] = {
    {"HangTimer", &S::HangTime, &S::HangTimeChanged, 255, "The value must be between 0 and 255"},
    {"TimeOutTimer", &S::TimeOut, &S::TimeOutChanged, 32767, "The value must be between 0 and 32767"},
    {"IIDTimer", &S::IIDTime, &S::IIDTimeChanged, 255, "The value must be between 0 and 255"},
    {"PIDTimer", &S::PIDTime, &S::PIDTimeChanged, 255, "The value must be between 0 and 255"},
    {"InactiveTimer", &S::InActiveTime, &S::InActiveTimeChanged, 255, "The value must be between 0 and 255"},
    {"DTMFTimer", &S::DTMFTime, &S::DTMFTimeChanged, 9999, "The value must be between 1 and 9999"},
    {"CTCSSTimer", &S::CTCSSTime, &S::CTCSSTimeChanged, 255, "The value must be between 0 and 255"},
    {"KerchunkTimer", &S::KerchunkTime, &S::KerchunkTimeChanged, 32000, "The value must be between 0 and 32000"},
    {"IDSpeakTimer", &S::IDSpeakTime, &S::IDSpeakTimeChanged, 32000, "The value must be between 0 and 32000"},
    {"AnnounceTimer", &S::AnnounceTime, &S::AnnounceTimeChanged, 3600, "The value must be between 0 and 3600"},
    {"AuxTimer", &S::AuxTime, &S::AuxTimeChanged, 32767, "The value must be between 1 and 32767", LoadForm::Trimmed},
};

FieldSpec timerField(SettingBinding setting, double max, const char* message, LoadForm load)
{
    FieldSpec f = Row(setting, Intake::Number, load);
    f.range = Between(0, max, QString::fromLatin1(message));
    return f;
}

} // namespace

Timers::Timers(AppContext& context, QWidget* parent) : SettingsEditor(context, {&S::TimersChanged}, parent)
{
    setWindowTitle(QStringLiteral("Timers"));
    BuildTimersLayout(this);
    addPortTimers();
    addGlobals();
    loadControls();
    for (int port = 1; port <= Count::Ports; ++port)
        enableInactivityMacro(port, copies().copy(m_inactiveTime, port) != u"0");

    connect(control<QPushButton>(QStringLiteral("Apply")), &QPushButton::clicked, this, &Timers::Apply_Click);
    connect(control<QPushButton>(QStringLiteral("CancelChanges")), &QPushButton::clicked, this,
            &Timers::CancelChanges_Click);
}

void Timers::addPortTimers()
{
    for (const TimerBox& t : timerBoxes) {
        const int field = copies().add(timerField(Bind(t.setting, t.flag), t.max, t.message, t.load));
        BoxOptions options{true, {}};
        if (t.setting == &S::InActiveTime) {
            m_inactiveTime = field;
            // The macro only matters while the timer runs.
            options.changed = [this, field](int port) {
                enableInactivityMacro(port, LeadingNumber(copies().copy(field, port)) != 0);
            };
        }
        bindBox(field, QString::fromLatin1(t.box), options);
    }

    FieldSpec macro = Row(Bind(&S::InActivityMacro, &S::InActivityMacroChanged));
    macro.restoredByCancel = false;
    bindList(copies().add(macro), QStringLiteral("InActivityMacroSet"), MacroNumbers());

    // Checked as typed, so a fifth digit too many empties the box at once.
    FieldSpec general = Row(Bind(&S::GeneralTimer, &S::GeneralTimerChanged), Intake::Trimmed, LoadForm::Trimmed);
    RangeRule tooLong;
    tooLong.min = std::numeric_limits<double>::lowest();
    tooLong.max = 32767;
    tooLong.message = QStringLiteral("Value must be less than 32767");
    tooLong.title.clear();
    tooLong.icon = Dialogs::Icon::None;
    tooLong.repair = RangeRule::Repair::Empty;
    tooLong.when = RangeRule::When::Change;
    general.range = tooLong;
    general.reader = &FindStem(QStringLiteral("GeneralTimer")).rule;
    bindBox(copies().add(general), QStringLiteral("GeneralTimerSet"));

    const FieldSpec generalMacro =
        Row(Bind(&S::GeneralTimerMacro, &S::GeneralTimerChanged), Intake::AsTyped, LoadForm::Trimmed);
    bindList(copies().add(generalMacro), QStringLiteral("GeneralTimerMacroSet"), MacroNumbers());
}

void Timers::addGlobals()
{
    bindBox(copies().add(timerField(Bind(&S::FanTime, &S::FanTimeChanged), 32767,
                                    "The value must be greater than 1 and less than 32767", LoadForm::Trimmed)),
            QStringLiteral("FanTimer"), {true, {}});

    // The box is ticked for "0": the fan follows all transmit activity.
    FieldSpec fan = Row(Bind(&S::FanSelect, &S::FanSelectChanged), Intake::AsTyped, LoadForm::Trimmed);
    fan.restoredByCancel = false;
    bindCheck(copies().add(fan), QStringLiteral("FanSelect"), QStringLiteral("0"), QStringLiteral("1"));

    // Any text may be typed; only a value the reader would refuse is refused, at Apply.
    FieldSpec delay = Row(Bind(&S::XmtDelay, &S::XmtDelayChanged), Intake::AsTyped, LoadForm::Trimmed);
    delay.range = Between(0, 32767, QStringLiteral("The value must be between 0 and 32767"));
    delay.range->when = RangeRule::When::Apply;
    delay.reader = &FindStem(QStringLiteral("XmtDelay")).rule;
    bindBox(copies().add(delay), QStringLiteral("XmtDelaySet"));

    bindCheck(copies().add(Row(Bind(&S::TimeoutLink, &S::TimeoutLinkChanged))), QStringLiteral("TimeoutLinkSet"));
}

void Timers::enableInactivityMacro(int port, bool on)
{
    control<QGroupBox>(QStringLiteral("InactivityFrame"), port)->setEnabled(on);
    control<QComboBox>(QStringLiteral("InActivityMacroSet"), port)->setEnabled(on);
}

void Timers::setInactivitySwitches()
{
    SettingsTables& tables = context().tables;
    for (int port = 1; port <= Count::Ports; ++port) {
        const bool off = tables.InActiveTime[port] == u"0";
        tables.DisableTimeout[port] = off ? QStringLiteral("1") : QStringLiteral("0");
        emit InactivitySwitchSet(port, off);
    }
}

void Timers::afterApply()
{
    setInactivitySwitches();
}

void Timers::CancelChanges_Click()
{
    restoreControls();
    setInactivitySwitches();
}
