#include "editors/timing/Timers.h"

#include "editors/ControlNames.h"
#include "store/AppContext.h"
#include "store/TextHelpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <limits>

using S = SettingsTables;

namespace {

// A timer box refused outside 0..max when it is left.
FormRow timerRow(const char* caption, const char* box, const char* unit, SettingBinding setting, double max,
                 const char* message, LoadRule load = LoadForm::AsStored)
{
    FieldDefinition f = Field(setting, Intake::Number, load);
    f.check = Between(0, max, QString::fromLatin1(message));
    return {QString::fromLatin1(caption), QString::fromLatin1(box), QString::fromLatin1(unit), NumberBox(), f};
}

const FormRow portRows[] = {
    timerRow("Hang Timer", "HangTimer", "1/10 seconds", Bind(&S::HangTime, &S::HangTimeChanged), 255,
             "The value must be between 0 and 255"),
    timerRow("Timeout Timer", "TimeOutTimer", "seconds", Bind(&S::TimeOut, &S::TimeOutChanged), 32767,
             "The value must be between 0 and 32767"),
    timerRow("Initial ID Timer", "IIDTimer", "minutes", Bind(&S::IIDTime, &S::IIDTimeChanged), 255,
             "The value must be between 0 and 255"),
    timerRow("Pending ID Timer", "PIDTimer", "minutes", Bind(&S::PIDTime, &S::PIDTimeChanged), 255,
             "The value must be between 0 and 255"),
    timerRow("Inactivity Timer", "InactiveTimer", "minutes", Bind(&S::InActiveTime, &S::InActiveTimeChanged), 255,
             "The value must be between 0 and 255"),
    timerRow("DTMF Mute Timer", "DTMFTimer", "1/10 seconds", Bind(&S::DTMFTime, &S::DTMFTimeChanged), 9999,
             "The value must be between 1 and 9999"),
    timerRow("Encode Timer", "CTCSSTimer", "1/10 seconds", Bind(&S::CTCSSTime, &S::CTCSSTimeChanged), 255,
             "The value must be between 0 and 255"),
    timerRow("Kerchunk Timer", "KerchunkTimer", "1/1000 seconds", Bind(&S::KerchunkTime, &S::KerchunkTimeChanged), 32000,
             "The value must be between 0 and 32000"),
    timerRow("Pending ID Speech Timer", "IDSpeakTimer", "seconds", Bind(&S::IDSpeakTime, &S::IDSpeakTimeChanged), 32000,
             "The value must be between 0 and 32000"),
    timerRow("TailMessage Timer", "AnnounceTimer", "seconds", Bind(&S::AnnounceTime, &S::AnnounceTimeChanged), 3600,
             "The value must be between 0 and 3600"),
};
constexpr int InactivityRow = 4;

const FormRow auxRow = timerRow("", "AuxTimer", "seconds", Bind(&S::AuxTime, &S::AuxTimeChanged), 32767,
                                "The value must be between 1 and 32767", LoadForm::Trimmed);

FormRow inactivityMacroRow()
{
    // Cancel leaves a macro choice made since the last Apply.
    FieldDefinition f = Field(Bind(&S::InActivityMacro, &S::InActivityMacroChanged));
    f.restoredByCancel = false;
    return {{}, QStringLiteral("InActivityMacroSet"), {}, ListOf(NumberEntries(1, Count::Macros)), f};
}

FormRow generalTimerRow()
{
    // Checked as typed, so a fifth digit too many empties the box at once.
    FieldDefinition f = ReaderField(Bind(&S::GeneralTimer, &S::GeneralTimerChanged),
                              Intake::Trimmed);
    FieldCheck tooLong = Plain(Between(std::numeric_limits<double>::lowest(), 32767,
                                       QStringLiteral("Value must be less than 32767")));
    tooLong.repair = FieldCheck::Repair::Empty;
    tooLong.when = FieldCheck::When::Change;
    f.check = tooLong;
    f.caption = QStringLiteral("General Timer");
    return {QStringLiteral("Timer"), QStringLiteral("GeneralTimerSet"), QStringLiteral("seconds"), TextBox(), f};
}

FormRow generalMacroRow()
{
    const FieldDefinition f =
        Field(Bind(&S::GeneralTimerMacro, &S::GeneralTimerChanged), Intake::AsTyped, LoadForm::Trimmed);
    return {QStringLiteral("Macro To Use"), QStringLiteral("GeneralTimerMacroSet"), {},
            ListOf(NumberEntries(1, Count::Macros)), f};
}

const FormRow fanTimerRow = timerRow("", "FanTimer", "minutes", Bind(&S::FanTime, &S::FanTimeChanged), 32767,
                                      "The value must be greater than 1 and less than 32767", LoadForm::Trimmed);

FormRow fanSelectRow()
{
    // Ticked for "0": the fan follows all transmit activity.
    FieldDefinition f = Field(Bind(&S::FanSelect, &S::FanSelectChanged), Intake::AsTyped, LoadForm::Trimmed);
    f.restoredByCancel = false;
    return {QStringLiteral("All Xmt Activity"), QStringLiteral("FanSelect"), {},
            CheckBox(QStringLiteral("0"), QStringLiteral("1")), f};
}

FormRow delayRow()
{
    // Any text may be typed; only a value the reader would refuse is refused,
    // at Apply, by its reason: no whole number at all, or one out of range.
    FieldDefinition f = ReaderField(Bind(&S::XmtDelay, &S::XmtDelayChanged));
    static const QRegularExpression wholeNumber(QStringLiteral("^[ \\t]*-?[0-9]+[ \\t]*$"));
    const ValueRule* reader = f.reader;
    f.check = FirstOf({Refusing([](const QString& t) { return !wholeNumber.match(t).hasMatch(); },
                                QStringLiteral("The value must be a whole number")),
                       Refusing([reader](const QString& t) { return !reader->accepts(t); },
                                QStringLiteral("The value must be between 0 and 32767"))});
    f.check->when = FieldCheck::When::Apply;
    return {QStringLiteral("Before Transmit"), QStringLiteral("XmtDelaySet"), QStringLiteral("ms"), TextBox(), f};
}

// The grid row of a page's box.
int RowOfBox(const QWidget& page, QGridLayout* grid, const char* box, int port)
{
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(page.findChild<QLineEdit*>(ControlName(QString::fromLatin1(box), port))),
                          &row, &column, &rowSpan, &columnSpan);
    return row;
}

} // namespace

Timers::Timers(AppContext& context, QWidget* parent) : SettingsEditor(context, {&S::TimersChanged}, parent)
{
    setWindowTitle(QStringLiteral("Timers"));
    QTabWidget* tabs = EditorPages({});
    for (int port = 1; port <= Count::Ports; ++port)
        tabs->addTab(portPage(port), QStringLiteral("Port %1").arg(port));
    tabs->addTab(globalPage(), QStringLiteral("Global"));
    m_inactiveTime = fieldOf(portRows[InactivityRow].field.setting);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(applyButtons(Qt::Horizontal, QStringLiteral("CancelChanges"), QStringLiteral("Cancel Changes")));
    loadControls();
}

QWidget* Timers::portPage(int port)
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    addRows(grid, portRows, At(port));
    // By the rows' boxes: the grid does not start the rows at 0.
    const int initialIdRow = RowOfBox(*page, grid, "IIDTimer", port);
    const int inactivityRow = RowOfBox(*page, grid, "InactiveTimer", port);
    grid->addWidget(new QLabel(QStringLiteral("(note: setting this to 0 will disable IDs)")), initialIdRow, 3);

    auto* macro = new QHBoxLayout;
    macro->addWidget(addControl(inactivityMacroRow(), At(port)));
    macro->addStretch();
    QGroupBox* inactivity = Frame(QStringLiteral("Inactivity Timer Macro Select"), macro);
    inactivity->setObjectName(ControlName(QStringLiteral("InactivityFrame"), port));
    grid->addWidget(inactivity, inactivityRow - 1, 3, 3, 1); // centred on the inactivity timer

    grid->setColumnStretch(4, 1);
    grid->setRowStretch(grid->rowCount(), 1);
    return page;
}

QWidget* Timers::globalPage()
{
    auto* aux = new QGridLayout;
    for (int n = 1; n <= Count::Ports; ++n) {
        FormRow row = auxRow;
        row.caption = QString::number(n);
        row.field.caption = QStringLiteral("Aux Audio Timer");
        addRow(aux, n - 1, row, At(n));
    }

    auto* fan = new QGridLayout;
    addRow(fan, 0, fanTimerRow, Single());
    addRow(fan, 1, fanSelectRow(), Single());

    auto* delay = new QGridLayout;
    addRow(delay, 0, delayRow(), Single());

    auto* link = new QGridLayout;
    addRow(link, 0, {QStringLiteral("Enable Linking Control"), QStringLiteral("TimeoutLinkSet"), {}, CheckBox(),
                     Field(Bind(&S::TimeoutLink, &S::TimeoutLinkChanged))},
           Single());

    auto* general = new QGridLayout;
    general->addWidget(new QLabel(QStringLiteral("Macro To Use")), 0, 3);
    for (int n = 1; n <= Count::Ports; ++n) {
        FormRow timer = generalTimerRow();
        timer.caption = QStringLiteral("Timer %1").arg(n);
        timer.unit = n == 3 ? QStringLiteral("second") : QStringLiteral("seconds");
        addRow(general, n, timer, At(n));
        general->addWidget(addControl(generalMacroRow(), At(n)), n, 3);
    }

    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(Frame(QStringLiteral("Aux Audio Timers"), aux), 0, 0);
    grid->addWidget(Frame(QStringLiteral("Fan"), fan), 0, 1);
    grid->addWidget(Frame(QStringLiteral("Speech/CW Delay"), delay), 1, 0);
    grid->addWidget(Frame(QStringLiteral("Timeout Timer Control"), link), 1, 1);
    grid->addWidget(Frame(QStringLiteral("General Timers"), general), 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

void Timers::changed(int field, int port)
{
    // The macro only matters while the timer runs.
    if (field == m_inactiveTime)
        enableInactivityMacro(port, LeadingNumber(copies().copy(field, port)) != 0);
}

void Timers::enableInactivityMacro(int port, bool on)
{
    control<QGroupBox>(QStringLiteral("InactivityFrame"), port)->setEnabled(on);
    control<QComboBox>(QStringLiteral("InActivityMacroSet"), port)->setEnabled(on);
}

// The port switch editor's inactivity switch follows the inactivity timer:
// "0" ticks it. No flag: the switch is not sent for it.
void Timers::setInactivitySwitches()
{
    for (int port = 1; port <= Count::Ports; ++port) {
        const bool off = context().tables.InActiveTime[port] == u"0";
        storeNow(SettingBinding{&S::DisableTimeout}, port, off ? QStringLiteral("1") : QStringLiteral("0"), Quietly());
    }
}

void Timers::afterApply(const std::vector<FieldElement>&) { setInactivitySwitches(); }

void Timers::afterCancel() { setInactivitySwitches(); }
