#include "editors/macros/Scheduler.h"

#include "editors/macros/SchedulerRules.h"
#include "link/ClockSetting.h"
#include "platform/Dialogs.h"
#include "platform/Profile.h"
#include "store/AppContext.h"
#include "store/KeyRegistry.h"
#include "store/ProgramName.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

using S = SettingsTables;

namespace {

const QString Ticked = QStringLiteral("1");

const std::vector<ListEntry> days{
    {"Sunday", "7"},   {"Monday", "1"},   {"Tuesday", "2"},  {"Wednesday", "3"}, {"Thursday", "4"},
    {"Friday", "5"},   {"Saturday", "6"}, {"Weekdays", "8"}, {"Weekends", "9"},  {"Everyday", "0"},
};
const std::vector<ListEntry> weeks{{"1st", "1"}, {"2nd", "2"}, {"3rd", "3"}, {"4th", "4"}, {"5th", "5"}};
const std::vector<ListEntry> dateFormats{
    {"United States", "False", "USDate"},
    {"International", "True", "InternationalDate"},
};

// The start hours in the controller's 24-hour codes, shown on a 12-hour clock.
std::vector<ListEntry> hourEntries()
{
    std::vector<ListEntry> entries{{"Disabled", "25"}, {"Every Hour", "0A"}};
    for (ListEntry hour : TwoDigitEntries(0, 23)) {
        const int h = hour.code.toInt();
        hour.text = QStringLiteral("%1 %2").arg(h % 12 == 0 ? 12 : h % 12).arg(h < 12 ? QLatin1String("AM")
                                                                                     : QLatin1String("PM"));
        entries.push_back(hour);
    }
    return entries;
}

const std::vector<ListEntry>& dayList() { return days; }
const std::vector<ListEntry>& hourList()
{
    static const std::vector<ListEntry> hours = hourEntries();
    return hours;
}
const std::vector<ListEntry>& minuteList()
{
    static const std::vector<ListEntry> minutes = TwoDigitEntries(0, 59);
    return minutes;
}
const std::vector<ListEntry>& macroList()
{
    static const std::vector<ListEntry> macros = TwoDigitEntries(1, Count::Macros);
    return macros;
}

// A day written as a number in any form ("07", " 7") as its decimal digits.
QString dayNumber(const QString& stored)
{
    const QString t = stored.trimmed();
    bool number = !t.isEmpty() && std::ranges::all_of(t, [](QChar c) { return c >= u'0' && c <= u'9'; });
    const QString digits = QString::number(t.toInt(&number));
    return number ? digits : stored;
}

// The load's tidy: a stored form of one of the list's codes becomes that
// code, quietly; any other text stays as stored, shows no entry and is kept
// until a pick.
template <QString (*form)(const QString&), const std::vector<ListEntry>& (*list)()>
QString entryForm(const QString& stored)
{
    const QString code = form(stored);
    return std::ranges::any_of(list(), [&](const ListEntry& e) { return e.code == code; }) ? code : stored;
}

// A stored value that is no entry shows no entry, and stays until a pick.
// Red while the set point shown holds a pick not yet applied.
ControlKind setPointList(std::vector<ListEntry> entries)
{
    ControlKind kind = ListShowingNoEntryAs(std::move(entries), {});
    kind.marked = true;
    return kind;
}

// One flag for the six values of a set point.
FieldDefinition setPointField(TextArray S::* array, LoadRule load)
{
    return Field(Bind(array, &S::SetPointChanged), Intake::AsTyped, load);
}

const FormRow setPointRows[] = {
    {"Day Of The Week", "DOWSet", {}, setPointList(days),
     setPointField(&S::DOW, LoadForm::Tidied(&entryForm<&dayNumber, &dayList>))},
    {"Start Hours", "HoursSet", {}, setPointList(hourList()),
     setPointField(&S::Hours, LoadForm::Tidied(&entryForm<&Intake::TwoDigits, &hourList>))},
    {"Start Minutes", "MinutesSet", {}, setPointList(minuteList()),
     setPointField(&S::Minutes, LoadForm::Tidied(&entryForm<&Intake::TwoDigits, &minuteList>))},
    {"Macro To Run", "MacroSet", {}, setPointList(macroList()),
     setPointField(&S::MacroToRun, LoadForm::Tidied(&entryForm<&Intake::TwoDigits, &macroList>))},
    {"Monthly", "DOMEnable", {}, CheckBox(), setPointField(&S::Monthly, LoadForm::Trimmed)},
};
const FormRow weekRow{"Week Of The Month", "WeekSet", {}, setPointList(weeks),
                      setPointField(&S::Week, LoadForm::Trimmed)};

FormRow clockOption(const char* caption, const char* name, SettingBinding setting)
{
    return {QString::fromLatin1(caption), QString::fromLatin1(name), {}, CheckBox(),
            Field(setting, Intake::AsTyped, LoadForm::Trimmed)};
}

FormRow correctionRow()
{
    FieldDefinition f =
        Field(Bind(&S::ClockCorrection, &S::ClockCorrectionChanged), Intake::DashAsA, LoadForm::Trimmed);
    f.gate = ClockCorrectionRefusal;
    return {QStringLiteral("Clock Correction"), QStringLiteral("ClockCorrectionSet"), QStringLiteral("seconds"),
            TextBox(), f};
}

// Shows the stored text as its format ("True" with blanks around it too, any
// other text as United States) and is never applied: a pick is stored at once.
FormRow dateFormatRow()
{
    FieldDefinition f = Field(SettingBinding{&S::DateFormat}, Intake::AsTyped, LoadForm::ShownTrimmed);
    f.sections = std::vector<bool S::*>{};
    return {QStringLiteral("Date Format"), QStringLiteral("DateFormatSet"), {},
            OptionsOtherwise(dateFormats, QStringLiteral("False")), f};
}

QLabel* Note(const char* text)
{
    auto* note = new QLabel(QString::fromLatin1(text));
    note->setWordWrap(true);
    return note;
}

} // namespace

Scheduler::Scheduler(AppContext& context, ControllerLink& link, QWidget* parent)
    : SettingsEditor(context, {&S::SchedulerChanged}, parent), m_link(link)
{
    setWindowTitle(QStringLiteral("Scheduler/Clock Configuration"));
    auto* frames = new QHBoxLayout;
    frames->addWidget(schedulerFrame());
    frames->addWidget(clockFrame(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addStretch();
    layout->addLayout(applyButtons(Qt::Horizontal, QStringLiteral("CancelChanges"), QStringLiteral("&Cancel Changes")));
    m_sayHours = control<QWidget>(QStringLiteral("HoursSelect"));
    loadControls();
    followTicks();
}

QWidget* Scheduler::schedulerFrame()
{
    auto* grid = new QGridLayout;
    m_setPoint = addSelector(QStringLiteral("SetPointNumSet"), Count::SetPoints);
    grid->addWidget(new QLabel(QStringLiteral("Setpoint Number")), 0, 0);
    grid->addWidget(selectorList(m_setPoint), 0, 1);
    addRows(grid, setPointRows, ChosenBy(m_setPoint));
    m_monthly = fieldOf(&S::Monthly);

    m_weekLabel = new QLabel(weekRow.caption);
    m_weekLabel->setObjectName(QStringLiteral("WOMLabel"));
    m_week = addControl(weekRow, ChosenBy(m_setPoint));
    const int row = grid->rowCount();
    grid->addWidget(m_weekLabel, row, 0);
    grid->addWidget(m_week, row, 1);
    grid->setRowStretch(row + 1, 1);
    return Frame(QStringLiteral("Scheduler"), grid);
}

QWidget* Scheduler::clockFrame()
{
    auto* options = new QGridLayout;
    const FormRow rows[] = {
        clockOption("Say Year", "SayYearSet", Bind(&S::SayYear, &S::SayYearChanged)),
        clockOption("24 Hour Readback", "TwentyFourSet", Bind(&S::TwentyFour, &S::TwentyFourChanged)),
        clockOption("Say Hours", "HoursSelect", Bind(&S::SayHour, &S::SayHourChanged)),
        correctionRow(),
    };
    addRows(options, rows, Single());
    options->setColumnStretch(3, 1);
    m_twentyFour = fieldOf(Bind(&S::TwentyFour, &S::TwentyFourChanged));

    auto* layout = new QVBoxLayout;
    layout->addLayout(options);
    layout->addWidget(dateFormatFrame());
    layout->addWidget(clockSetting());
    layout->addStretch();
    return Frame(QStringLiteral("Real Time Clock"), layout);
}

QWidget* Scheduler::dateFormatFrame()
{
    const FormRow row = dateFormatRow();
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(addControl(row, Single())); // the frame "Date Format" with its buttons
    m_dateFormat = fieldOf(row.field.setting);
    layout->addWidget(Note("Note: Changes to Date Format take effect and are written immediately to .dat  file"));
    auto* box = new QWidget;
    box->setLayout(layout);
    return box;
}

QWidget* Scheduler::clockSetting()
{
    auto* button = new QPushButton(QStringLiteral("Set Clock"));
    button->setObjectName(QStringLiteral("ClockSet"));
    connect(button, &QPushButton::clicked, this, &Scheduler::ClockSet_Click);
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(button, 0, Qt::AlignTop);
    layout->addWidget(Note("Note: Setting the Clock will immediately set the Tarvex clock and calendar to your "
                           "computer's system time"),
                      1);
    auto* box = new QWidget;
    box->setLayout(layout);
    return box;
}

void Scheduler::changed(int field, int)
{
    if (field == m_monthly || field == m_twentyFour)
        followTicks();
    // Loading and showing the stored format is no pick: only a copy that
    // differs from DateFormat is the user's.
    else if (field == m_dateFormat && copies().differs(m_dateFormat, 1))
        pickDateFormat(copies().copy(m_dateFormat, 1));
}

void Scheduler::afterSelect(int) { followTicks(); }

void Scheduler::afterCancel() { followTicks(); }

void Scheduler::followTicks()
{
    const int n = selected(m_setPoint);
    const bool monthly = copies().copy(m_monthly, n) == Ticked;
    m_week->setEnabled(monthly);
    m_weekLabel->setEnabled(monthly);
    // Disabled, Say Hours keeps its tick and its copy.
    m_sayHours->setEnabled(copies().copy(m_twentyFour, 1) == Ticked);
}

// Into the open configuration file first: a format the file did not take
// stays as it was, in memory too. No flag, and the saved state is kept.
void Scheduler::pickDateFormat(const QString& value)
{
    const SettingBinding& setting = copies().definition(m_dateFormat).setting;
    AppContext& c = context();
    const KeyStem& key = FindStem(setting.setting);
    const Status written = c.profile.write(c.tables.CurrentDatFile, key.section, key.keyName(1), value);
    if (!written) {
        edit(m_dateFormat, 1, copies().stored(m_dateFormat, 1));
        c.dialogs.message(ProgramName,
                          QStringLiteral("The date format was not changed, because the configuration file could not "
                                         "take it: %1")
                              .arg(written.reason()),
                          Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return;
    }
    storeNow(setting, 1, value, Quietly());
}

void Scheduler::ClockSet_Click()
{
    AppContext& c = context();
    runDisabled([&] { return SetControllerClock(c.tables, m_link, c.dialogs, c.clock); });
}
