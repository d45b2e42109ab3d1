#include "editors/ports/PortSwitches.h"

#include "editors/ControlNames.h"
#include "store/AppContext.h"
#include "store/TailMessageMacros.h"
#include "store/TextHelpers.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

using S = SettingsTables;

namespace {

// Values are loaded without their blanks and checked against the reader's
// rule, so Apply never stores what the next open of the file would replace.
FormRow checkRow(const char* caption, const char* name, SettingBinding setting)
{
    return {QString::fromLatin1(caption), QString::fromLatin1(name), {}, CheckBox(),
            ReaderField(setting)};
}

const FormRow upperSwitches[] = {
    checkRow("Transmitter Enable", "TxEnable", Bind(&S::TxEnable, &S::TxEnableChanged)),
    checkRow("Receiver Enable", "RxEnable", Bind(&S::RxEnable, &S::RxEnableChanged)),
    checkRow("Disable Inactivity Timer", "DisableTimeout", Bind(&S::DisableTimeout, &S::DisableTimeoutChanged)),
    checkRow("Repeater Mode", "FDup", Bind(&S::FDup, &S::FDupChanged)),
    checkRow("Speech Override", "SpeechOverride", Bind(&S::SpeechOverride, &S::SpeechOverrideChanged)),
    checkRow("Speech ID Override", "SpeechIDOverride", Bind(&S::SpeechIDOverride, &S::SpeechIDOverrideChanged)),
};

const FormRow accessRow{QStringLiteral("Access Mode"), QStringLiteral("AccessMode"), {},
                        ListOf({{QStringLiteral("Carrier"), QStringLiteral("0")},
                                {QStringLiteral("Tone & Carrier"), QStringLiteral("1")},
                                {QStringLiteral("Tone Only"), QStringLiteral("2")}}),
                        ReaderField(Bind(&S::PLAccess, &S::PLAccessChanged))};

const FormRow dtmfSwitches[] = {
    checkRow("DTMF Enable", "DTMFEnable", Bind(&S::DTMFEnable, &S::DTMFEnableChanged)),
    checkRow("DTMF Require Tone", "DTMFNeedPL", Bind(&S::DTMFNeedPL, &S::DTMFNeedPLChanged)),
    checkRow("DTMF Mute", "DTMFMute", Bind(&S::DTMFMute, &S::DTMFMuteChanged)),
    checkRow("DTMF Covertone", "DTMFCovertone", Bind(&S::DTMFCovertone, &S::DTMFCovertoneChanged)),
    checkRow("Monitor Mix", "MonMix", Bind(&S::MonMix, &S::MonMixChanged)),
    checkRow("Kerchunk Filter", "Kerchunk", Bind(&S::Kerchunk, &S::KerchunkChanged)),
};

const FormRow toneIdRow = checkRow("ON During ID/Speech", "PLID", Bind(&S::CTCSSID, &S::CTCSSIDChanged));

FormRow optionRow(const char* caption, const char* name, ControlKind options, SettingBinding setting)
{
    FieldDefinition f = ReaderField(setting);
    f.caption = QString::fromLatin1(caption);
    return {{}, QString::fromLatin1(name), {}, std::move(options), f};
}

// Each pair shows its first button for any value but "1": a stored value
// that is neither stays as it is until the user picks.
ControlKind pair(const char* first, const char* firstName, const char* second, const char* secondName,
                 Qt::Orientation orientation = Qt::Horizontal)
{
    return OptionsOtherwise({{QString::fromLatin1(first), QStringLiteral("0"), QString::fromLatin1(firstName)},
                             {QString::fromLatin1(second), QStringLiteral("1"), QString::fromLatin1(secondName)}},
                            QStringLiteral("0"), orientation);
}

// One under the other, so the three port columns fit side by side.
const FormRow timerStartRow =
    optionRow("Tone Encode Control", "PLTimerStart",
              pair("Timer Starts After COS", "PLCOS", "Timer Starts After CT", "PLCT", Qt::Vertical),
              Bind(&S::CTCSSCT, &S::CTCSSCTChanged));
const FormRow closureRow = optionRow("DTMF Evaluate On Closure", "COSClose", pair("COS", "COSCloseSet", "Tone", "PLCloseSet"),
                                     Bind(&S::COSClose, &S::COSCloseChanged));
const FormRow polarityRow = optionRow("Tone Encode Polarity", "PLEncodePolarity", pair("Lo", "PLLow", "Hi", "PLHigh"),
                                      Bind(&S::PLEncodePolarity, &S::PLEncodePolarityChanged));

// The controller takes a new tail message with its counter and macros again.
FieldDefinition TailMessageField()
{
    FieldDefinition f = ReaderField(Bind(&S::TailMessageNum, &S::TailMessageNumChanged));
    f.alsoFlags = {FlagOnly(&S::TailCounterChanged), FlagOnly(&S::MessageNumChanged)};
    return f;
}

const FormRow tailMessageRow{QStringLiteral("Tail Message"), QStringLiteral("TailMessageNumSet"), {},
                             MarkedListOf({{QStringLiteral("NONE"), QStringLiteral("0")},
                                           {QStringLiteral("1"), QStringLiteral("1")},
                                           {QStringLiteral("2"), QStringLiteral("2")},
                                           {QStringLiteral("3"), QStringLiteral("3")}}),
                             TailMessageField()};

// Element t of a port's table is its macro for tail message t; the port's
// one flag covers all three, as the controller takes them in one command.
FormRow macroRow(int port)
{
    FieldDefinition f = ReaderField(Bind(TailMessageMacros(port), &S::MessageNumChanged, port));
    f.caption = QStringLiteral("Port %1 Tail Message Macro").arg(port);
    return {QStringLiteral("Macro To Use"), QStringLiteral("MessageNumSet"), {},
            MarkedListOf(NumberEntries(1, Count::Macros)), f};
}

// The copy is the number the box holds, so an emptied box stores "0", which
// the controller and the reader take, not an empty value.
FormRow tailCounterRow()
{
    // The copy is the box's text, so a stored "05" is no edit; an emptied box
    // stores "0", which the file and the controller take.
    FieldDefinition f = ReaderField(Bind(&S::TailCounter, &S::TailCounterChanged));
    f.check = Between(0, 254, QStringLiteral("The Tail Counter value must be between 0 and 254"));
    ControlKind box = NumberBox();
    box.emptyValue = box.emptyText = QStringLiteral("0");
    box.emptyTextIsHint = false;
    return {QStringLiteral("Tail Counter"), QStringLiteral("TailCounterSet"), {}, box, f};
}

} // namespace

PortSwitches::PortSwitches(AppContext& context, QWidget* parent)
    : SettingsEditor(context, {&S::PortSwitchesChanged}, parent)
{
    setWindowTitle(QStringLiteral("Port Switches"));
    auto* layout = new QHBoxLayout(this);
    for (int port = 1; port <= Count::Ports; ++port)
        layout->addWidget(portColumn(port));
    layout->addWidget(sidePanel());
    layout->addStretch();
    loadControls();
}

QWidget* PortSwitches::portColumn(int port)
{
    auto* column = new QGroupBox(QStringLiteral("Port %1").arg(port));
    auto* grid = new QGridLayout(column);
    addRows(grid, upperSwitches, At(port));
    addRow(grid, grid->rowCount(), accessRow, At(port));
    addRows(grid, dtmfSwitches, At(port));

    auto* toneControl = new QGroupBox(QStringLiteral("Tone Encode Control"));
    auto* tone = new QVBoxLayout(toneControl);
    tone->addWidget(addControl(toneIdRow, At(port)));
    auto* timerStart = static_cast<QGroupBox*>(addControl(timerStartRow, At(port)));
    timerStart->setFlat(true);
    tone->addWidget(timerStart);
    grid->addWidget(toneControl, grid->rowCount(), 0, 1, 2);

    const int tailRow = grid->rowCount();
    grid->addWidget(new QLabel(tailMessageRow.caption), tailRow, 0);
    grid->addWidget(addControl(tailMessageRow, At(port)), tailRow, 1);
    m_tailMessage = fieldOf(tailMessageRow.field.setting);

    // The macro list shows the port's macro for the tail message chosen in its copy.
    m_macroChooser.at(port) = addChooser([this, port] { return tailMessage(port); });
    const FormRow macro = macroRow(port);
    const FormRow counter = tailCounterRow();
    QWidget* const tail[] = {
        NamedLabel(macro.caption, ControlName(QStringLiteral("MessageLabel"), port)),
        addControl(macro, ChosenBy(m_macroChooser.at(port), port)),
        NamedLabel(counter.caption, ControlName(QStringLiteral("TailCounterLabel"), port)),
        addControl(counter, At(port)),
    };
    for (int n = 0; n < static_cast<int>(std::size(tail)); ++n) {
        KeepRoomWhenHidden(tail[n]); // the columns stay still when a tail message is picked
        grid->addWidget(tail[n], tailRow + 1 + n / 2, n % 2);
    }

    grid->setRowStretch(grid->rowCount(), 1);
    return column;
}

QWidget* PortSwitches::sidePanel()
{
    auto* alarms = new QGroupBox(QStringLiteral("Alarms"));
    auto* alarmList = new QVBoxLayout(alarms);
    FormRow alarm = checkRow("Alarm", "Alarm", Bind(&S::Alarm, &S::AlarmChanged));
    alarm.field.caption = alarm.caption;
    for (int a = 1; a <= Count::AlarmInputs; ++a) {
        alarm.caption = QStringLiteral("Alarm %1").arg(a);
        alarmList->addWidget(addControl(alarm, At(a)));
    }

    // One option pair per port, each a group of its own.
    const auto perPort = [this](const FormRow& row) {
        auto* group = new QGroupBox(row.field.caption);
        auto* pairs = new QVBoxLayout(group);
        for (int port = 1; port <= Count::Ports; ++port) {
            FormRow placed = row;
            placed.caption = QStringLiteral("Port %1").arg(port);
            pairs->addWidget(addControl(placed, At(port)));
        }
        return group;
    };

    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(alarms);
    layout->addWidget(perPort(closureRow));
    layout->addWidget(perPort(polarityRow));
    layout->addWidget(addControl(checkRow("Allow Speech w/Terminator", "AllowTerminatorSpeechSet",
                                          Bind(&S::AllowTerminatorSpeech, &S::AllowTerminatorSpeechChanged)),
                                 Single()));
    layout->addStretch();
    layout->addLayout(applyButtons(Qt::Horizontal, QStringLiteral("Cancel"), QStringLiteral("C&ancel Changes")));
    return panel;
}

int PortSwitches::tailMessage(int port) const
{
    bool number = false;
    const int t = copies().copy(m_tailMessage, port).toInt(&number);
    return number && t >= 1 && t <= 3 ? t : 0;
}

void PortSwitches::changed(int field, int port)
{
    if (field == m_tailMessage)
        showTailControls(port);
}

// The macro list and the tail counter only matter for a port with a tail message.
void PortSwitches::showTailControls(int port)
{
    const bool shown = LeadingNumber(copies().copy(m_tailMessage, port)) != 0;
    for (const char* name : {"MessageNumSet", "MessageLabel", "TailCounterSet", "TailCounterLabel"})
        control<QWidget>(QString::fromLatin1(name), port)->setVisible(shown);
    reshow(m_macroChooser.at(port));
}

void PortSwitches::zero(const SettingBinding& setting, int port, bool S::* section)
{
    storeNow(setting, port, QStringLiteral("0"), {true, {section}, true});
}

void PortSwitches::afterApply(const std::vector<FieldElement>& written)
{
    SettingsTables& t = context().tables;
    const int disableTimeout = fieldOf(&S::DisableTimeout);
    for (const FieldElement& w : written) {
        if (w.field == disableTimeout && LeadingNumber(t.DisableTimeout[w.index]) == 1) {
            // A switch ticked by this Apply turns the inactivity timer off, in
            // the timer editor too. One loaded ticked beside a running timer (a
            // file may hold both) is left alone: an Apply that changed nothing
            // changes nothing.
            zero(Bind(&S::InActiveTime, &S::InActiveTimeChanged), w.index, &S::TimersChanged);
        }
        if (w.field == m_tailMessage && t.TailMessageNum[w.index] == u"0") { // "NONE": no counter and no tail message timer
            zero(Bind(&S::TailCounter, &S::TailCounterChanged), w.index, &S::PortSwitchesChanged);
            zero(Bind(&S::AnnounceTime, &S::AnnounceTimeChanged), w.index, &S::TimersChanged);
        }
    }
}
