#include "editors/ports/AlarmsRemote.h"

#include "editors/ports/RemoteMemoryText.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

using S = SettingsTables;

namespace {

const QString Yaesu = QStringLiteral("3");

// The list codes: there is no radio type 6.
const std::vector<ListEntry> radioTypes{
    {"Kenwood Serial", "1"}, {"Icom", "2"},   {"Yaesu", "3"},   {"Kenwood V7A", "4"},
    {"Interface (type 5)", "5"}, {"Kenwood G707", "7"}, {"Kenwood TM-271/471", "8"},
};
const std::vector<ListEntry> yaesuModels{
    {"FT-100D", "1"}, {"FT-817", "2"}, {"FT-847", "3"}, {"FT-857", "4"}, {"FT-897", "5"},
};
// No button shows a code that is none of these.
const std::vector<ListEntry> offsets{{" -", "1", "OtherMinus"}, {"Sim", "2", "OtherSimplex"}, {" +", "3", "OtherPlus"}};
const std::vector<ListEntry> toneModes{{"Off", "0", "OtherNoPL"}, {"En", "1", "OtherEncode"}, {"Dec", "2", "OtherDecode"}};
const std::vector<ListEntry> radioModes{
    {"LSB", "1", "LSBSet"}, {"USB", "2", "USBSet"}, {"CW", "3", "CWSet"}, {"FM", "4", "FMSet"}, {"AM", "5", "AMSet"},
};

// The memory block is not marked: its controls show one memory of ten.
ControlKind unmarked(ControlKind kind)
{
    kind.marked = false;
    return kind;
}

} // namespace

Alarms_Remote::Alarms_Remote(AppContext& context, QWidget* parent)
    : SettingsEditor(context, {&S::RemoteChanged}, parent)
{
    setWindowTitle(QStringLiteral("Alarms"));
    auto* grid = new QGridLayout;
    grid->addWidget(alarmFrame(), 0, 0);
    grid->addWidget(setupFrame(), 0, 1);
    grid->addWidget(memoryFrame(), 1, 0);
    grid->addWidget(modeFrame(), 1, 1);
    grid->setRowStretch(2, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(applyButtons(Qt::Vertical, QStringLiteral("CancelChanges"), QStringLiteral("&Cancel Changes")));
    loadControls();
    showFrequency();
}

QWidget* Alarms_Remote::alarmFrame()
{
    auto* grid = new QGridLayout;
    m_alarm = addSelector(QStringLiteral("AlarmNumSet"), Count::AlarmInputs);
    markByPicks(m_alarm);
    grid->addWidget(new QLabel(QStringLiteral("Alarm Number")), 0, 0);
    grid->addWidget(selectorList(m_alarm), 0, 1);
    // "01" to "90": a macro as the controller's alarm command takes it.
    const std::vector<ListEntry> macros = TwoDigitEntries(1, Count::Macros);
    // The alarms are a section of their own; the rest of the window is the remote base's.
    const auto alarmField = [](SettingBinding setting) {
        FieldDefinition f = ReaderField(setting);
        f.sections = {{&S::AlarmsChanged}};
        return f;
    };
    const FormRow rows[] = {
        {QStringLiteral("High-to-Low Macro To Use"), QStringLiteral("UseLowMacroSet"), {}, MarkedListOf(macros),
         alarmField(Bind(&S::AlarmLowMacroNum, &S::AlarmLowMacroNumChanged))},
        {QStringLiteral("Low-to-High Macro To Use"), QStringLiteral("UseHighMacroSet"), {}, MarkedListOf(macros),
         alarmField(Bind(&S::AlarmHighMacroNum, &S::AlarmHighMacroNumChanged))},
    };
    addRows(grid, rows, ChosenBy(m_alarm));
    return Frame(QStringLiteral("Alarm Setup"), grid);
}

QWidget* Alarms_Remote::setupFrame()
{
    auto* grid = new QGridLayout;
    const FormRow type{QStringLiteral("Radio Type"), QStringLiteral("RadioType"), {}, MarkedListOf(radioTypes),
                       ReaderField(Bind(&S::RadioType, &S::RadioTypeChanged))};
    addRow(grid, 0, type, Single());
    m_type = fieldOf(type.field.setting);

    // The model means something only for a Yaesu radio: hidden otherwise. A
    // model "0" (none) shows no entry, for a pick.
    m_modelShown = addChooser([this] { return copies().copy(m_type, 1) == Yaesu ? 1 : 0; });
    ControlKind models = ListShowingNoEntryAs(yaesuModels, {});
    models.marked = true;
    const FormRow model{QStringLiteral("Yaesu Type"), QStringLiteral("YaesuType"), {}, models,
                        ReaderField(Bind(&S::YaesuType, &S::RadioTypeChanged))};
    m_modelLabel = new QLabel(model.caption);
    QWidget* modelList = addControl(model, ChosenBy(m_modelShown));
    KeepRoomWhenHidden(m_modelLabel);
    KeepRoomWhenHidden(modelList);
    grid->addWidget(m_modelLabel, 1, 0);
    grid->addWidget(modelList, 1, 1);
    m_model = fieldOf(model.field.setting);

    addRow(grid, 2,
           {QStringLiteral("Remote Base Prefix"), QStringLiteral("RemoteBasePrefixSet"), {},
            TextBoxEmptyAs(QStringLiteral("0"), QStringLiteral("No Prefix")),
            ReaderField(Bind(&S::RemoteBasePrefix, &S::RemoteBasePrefixChanged),
                        Intake::Trimmed)},
           Single());
    grid->setRowStretch(3, 1);
    return Frame(QStringLiteral("Remote Base Setup"), grid);
}

QWidget* Alarms_Remote::memoryFrame()
{
    auto* grid = new QGridLayout;
    m_memory = addSelector(QStringLiteral("OtherMemoryNum"), Count::RemoteMemories);
    grid->addWidget(new QLabel(QStringLiteral("Memory Number")), 0, 0);
    grid->addWidget(selectorList(m_memory), 0, 1);

    // Frequency and offset: one stored text, two controls of the editor's own.
    m_freq = copies().add(Field(Bind(&S::FreqString, &S::RemoteMemoryChanged)));
    m_frequency = MakeControl(TextBox(), QStringLiteral("Frequency"), QStringLiteral("OtherFreqStringSet"));
    m_offset = MakeControl(Options(offsets), QStringLiteral("Offset"), QStringLiteral("OtherOffset"));
    m_frequency->onChange([this](const QString&) { takeFrequency(); });
    m_offset->onChange([this](const QString&) { takeFrequency(); });
    grid->addWidget(new QLabel(QStringLiteral("Frequency")), 1, 0);
    grid->addWidget(m_frequency->widget(), 1, 1);
    grid->addWidget(m_offset->widget(), 1, 2);

    const FormRow ctcss{QStringLiteral("CTCSS Code"), QStringLiteral("OtherCTCSSSet"), {}, unmarked(TextBox()),
                        Field(Bind(&S::CTCSS, &S::RemoteMemoryChanged))};
    addRow(grid, 2, ctcss, ChosenBy(m_memory));
    grid->addWidget(addControl({QStringLiteral("Tone"), QStringLiteral("OtherCTCSSMode"), {}, Options(toneModes),
                                Field(Bind(&S::CTCSSMode, &S::RemoteMemoryChanged), Intake::AsTyped, LoadForm::Trimmed)},
                               ChosenBy(m_memory)),
                    2, 2);
    grid->setColumnStretch(3, 1);
    return Frame(QStringLiteral("Remote Base Memories"), grid);
}

QWidget* Alarms_Remote::modeFrame()
{
    auto* layout = new QVBoxLayout;
    layout->addWidget(addControl({QStringLiteral("Mode"), QStringLiteral("RadioModeSet"), {},
                                  Options(radioModes, Qt::Vertical),
                                  ReaderField(Bind(&S::RadioMode, &S::RemoteMemoryChanged))},
                                 ChosenBy(m_memory)));
    layout->addStretch();
    auto* box = new QWidget;
    box->setLayout(layout);
    return box;
}

void Alarms_Remote::changed(int field, int)
{
    if (field != m_type)
        return;
    const bool yaesu = copies().copy(m_type, 1) == Yaesu;
    // Picking another radio drops the model; loading or cancelling does not.
    if (!yaesu && copies().edited(m_type, 1))
        edit(m_model, 1, QStringLiteral("0"));
    reshow(m_modelShown);
    m_modelLabel->setVisible(yaesu);
    control<QComboBox>(QStringLiteral("YaesuType"))->setVisible(yaesu);
}

void Alarms_Remote::afterSelect(int selector)
{
    if (selector == m_memory)
        showFrequency();
}

// The working copy of the memory shown, never the stored text: a reselected
// memory shows its edit, and an empty memory shows empty controls.
void Alarms_Remote::showFrequency()
{
    const FrequencyParts parts = SplitFreqString(copies().copy(m_freq, selected(m_memory)));
    m_frequency->show(parts.frequency);
    m_offset->show(parts.offset);
}

// Only the user's edit of a memory changes its text: an empty memory stays
// exactly as stored until then.
void Alarms_Remote::takeFrequency()
{
    const int m = selected(m_memory);
    // An emptied frequency box empties the memory: its offset goes too, as an
    // option button cannot be unticked. An offset picked with no frequency
    // stays, to be refused as half filled.
    if (FrequencyDigits(m_frequency->value()).isEmpty()
        && !SplitFreqString(copies().copy(m_freq, m)).frequency.isEmpty())
        m_offset->show({});
    edit(m_freq, m, JoinFreqString(m_frequency->value(), m_offset->value(), copies().stored(m_freq, m)));
}

std::optional<SettingsEditor::Refusal> Alarms_Remote::vetoApply()
{
    if (copies().copy(m_type, 1) == Yaesu && (copies().differs(m_type, 1) || copies().differs(m_model, 1))
        && !std::ranges::any_of(yaesuModels, [this](const ListEntry& e) { return e.code == copies().copy(m_model, 1); }))
        return Refusal{QStringLiteral("Yaesu Type: choose the model of the Yaesu radio. Nothing was applied.")};
    for (int m = 1; m <= Count::RemoteMemories; ++m) {
        const MemoryFault fault = copies().differs(m_freq, m) ? MemoryFaultOf(copies().copy(m_freq, m))
                                                              : MemoryFault::None;
        if (fault == MemoryFault::None)
            continue;
        if (selected(m_memory) != m) { // the memory refused comes into view
            select(m_memory, m);
            showFrequency();
        }
        if (fault == MemoryFault::NotSixDigits)
            return Refusal{QStringLiteral("Remote base memory %1: \"%2\" is no frequency the Tarvex can take. Give "
                                          "it six digits (such as 146.520), empty the frequency box to leave the "
                                          "memory empty, or use Cancel Changes.")
                               .arg(m)
                               .arg(SplitFreqString(copies().copy(m_freq, m)).frequency)};
        return Refusal{QStringLiteral("Remote base memory %1 is only half filled. Give it a frequency of six digits "
                                      "(such as 146.520) and an offset, empty its frequency box to leave it empty, "
                                      "or use Cancel Changes.")
                           .arg(m)};
    }
    return std::nullopt;
}

void Alarms_Remote::afterApply(const std::vector<FieldElement>&) { showFrequency(); }

void Alarms_Remote::afterCancel() { showFrequency(); }
