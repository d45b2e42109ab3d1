#include "editors/timing/Analog.h"


#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

using S = SettingsTables;

namespace {

const std::vector<ListEntry> meterTypes{
    {"None", "0"}, {"Volts", "1"}, {"Amps", "2"}, {"Watts", "3"}, {"Degrees", "4"}, {"MPH", "5"}, {"Percent", "6"},
};
const std::vector<ListEntry> alarmTypes{{"None", "0"}, {"Low", "1"}, {"High", "2"}};

// Every value goes through the reader's rule, so Apply never stores one that
// the next open of the file would replace.
// A calibration box: digits only, its copy the number it holds ("05" is "5").
FormRow calibrationRow(const char* caption, const char* box, TextArray S::* setting)
{
    return {QString::fromLatin1(caption), QString::fromLatin1(box), {}, NumberBox(),
            ReaderField(Bind(setting, &S::MeterChanged), Intake::Number, LoadForm::ThroughIntake)};
}

std::vector<FormRow> channelRows()
{
    return {
        {QStringLiteral("Meter Type"), QStringLiteral("MeterType"), {}, MarkedListOf(meterTypes),
         ReaderField(Bind(&S::Meter, &S::MeterChanged), Intake::AsTyped, LoadForm::AsStored)},
        calibrationRow("Actual Low Value", "RealLowSetting", &S::RealLow),
        calibrationRow("Meter Low Value", "MeterLowSetting", &S::MeterLow),
        calibrationRow("Actual High Value", "RealHighSetting", &S::RealHigh),
        calibrationRow("Meter High Value", "MeterHighSetting", &S::MeterHigh),
    };
}

// The alarm's four settings, loaded without their blanks.
FormRow alarmRow(const char* caption, const char* name, ControlKind kind, TextArray S::* setting)
{
    return {QString::fromLatin1(caption), QString::fromLatin1(name), {}, std::move(kind),
            ReaderField(Bind(setting, &S::MeterAlarmChanged))};
}

} // namespace

Analog::Analog(AppContext& context, QWidget* parent) : SettingsEditor(context, {&S::AnalogChanged}, parent)
{
    setWindowTitle(QStringLiteral("Analog Channels Configuration"));
    QTabWidget* tabs = EditorPages(QStringLiteral("SSTab1"));
    for (int c = 1; c <= Count::Meters; ++c)
        tabs->addTab(channelPage(c), QStringLiteral("Ch %1").arg(c));
    tabs->addTab(referencePage(), QStringLiteral("Reference / Meter Alarms"));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addLayout(applyButtons(Qt::Vertical, QStringLiteral("CancelChanges"), QStringLiteral("Cancel Changes")));
    loadControls();
}

QWidget* Analog::channelPage(int channel)
{
    static const std::vector<FormRow> rows = channelRows();
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    addRows(grid, rows, At(channel));
    grid->setRowStretch(grid->rowCount(), 1);
    grid->setColumnStretch(3, 1);
    return page;
}

QWidget* Analog::referencePage()
{
    auto* reference = new QGroupBox(QStringLiteral("Reference Voltage"));
    auto* vref = new QGridLayout(reference);
    addRow(vref, 0,
           {QString(), QStringLiteral("VrefSetting"), {}, NumberBox(),
            ReaderField(Bind(&S::Vref, &S::MeterChanged, Count::Meters + 1), Intake::Number,
                        LoadForm::ThroughIntake)},
           Single());

    auto* alarms = new QGroupBox(QStringLiteral("Meter Alarms"));
    auto* grid = new QGridLayout(alarms);
    m_alarm = addSelector(QStringLiteral("MeterAlarmNumSet"), Count::MeterAlarms);
    grid->addWidget(new QLabel(QStringLiteral("Alarm Number")), 0, 0);
    grid->addWidget(selectorList(m_alarm), 0, 1);
    const FormRow rows[] = {
        alarmRow("Meter Number", "MeterNumSet", MarkedListOf(NumberEntries(1, Count::Meters)), &S::MeterNum),
        alarmRow("Alarm Type", "MeterAlarmTypeSet", MarkedListOf(alarmTypes), &S::MeterAlarmType),
        alarmRow("Macro To Call", "MeterMacroSet", MarkedListOf(NumberEntries(1, Count::Macros)), &S::MeterMacro),
        alarmRow("Trip Value", "MeterSetPointSet", TextBox(), &S::MeterSetPoint),
    };
    addRows(grid, rows, ChosenBy(m_alarm));
    vref->setColumnStretch(3, 1);
    grid->setColumnStretch(3, 1);

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(reference);
    layout->addWidget(alarms);
    layout->addStretch();
    return page;
}
