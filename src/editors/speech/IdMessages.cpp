#include "editors/speech/IdMessages.h"

#include "editors/speech/MessageFields.h"
#include "editors/speech/SpeechLists.h"
#include "store/AppContext.h"
#include "store/KeyRegistry.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <limits>

using S = SettingsTables;

namespace {

const InsertionRule Items{true, InsertionRule::AfterSelection::AfterItem};

struct MessageRow {
    const char* caption;
    const char* name;
    TextArray SettingsTables::* setting;
    FlagArray SettingsTables::* flag;
    const MessageBoxKind* box;
};
const MessageRow messageRows[] = {
    {"Voice ID 1", "VoiceID1Set", &S::VoiceID1, &S::VoiceID1Changed, &VoiceIdBox},
    {"Voice ID 2", "VoiceID2Set", &S::VoiceID2, &S::VoiceID2Changed, &VoiceIdBox},
    {"Voice ID 3", "VoiceID3Set", &S::VoiceID3, &S::VoiceID3Changed, &VoiceIdBox},
    {"CW ID 1", "CWID1Set", &S::CWID1, &S::CWID1Changed, &CwId1Box},
    {"CW ID 2", "CWID2Set", &S::CWID2, &S::CWID2Changed, &CwId2Box},
};

// Stored in capitals with single blanks, tidied so in the tables as the
// editor loads, with no flag: the same message.
FormRow messageRow(const MessageRow& r)
{
    FieldDefinition f = MessageField(*r.box, Bind(r.setting, r.flag), &Intake::UpperCollapsed);
    f.reader = &FindStem(r.setting).rule;
    f.caption = QString::fromLatin1(r.caption);
    f.load = LoadForm::Tidied(&Intake::UpperCollapsed);
    f.tidy = &Intake::UpperCollapsed;
    return {f.caption, QString::fromLatin1(r.name), {}, TextBox(), f};
}

// A refusal as the value is typed, never while the editor fills its boxes;
// the box is emptied.
FieldCheck limitCheck(double max, const char* message, const char* title)
{
    FieldCheck check = Between(std::numeric_limits<double>::lowest(), max, QString::fromLatin1(message));
    check.title = QString::fromLatin1(title);
    check.when = FieldCheck::When::Change;
    check.repair = FieldCheck::Repair::Empty;
    return check;
}

FormRow speedRow()
{
    // A speed emptied by its check stays empty, as the box shows it: Apply
    // refuses it by name rather than storing a "0" nobody sees.
    FieldDefinition f = ReaderField(Bind(&S::CWSpeed, &S::CWSpeedChanged), &Intake::NumberOrEmpty,
                                    LoadForm::ThroughIntake);
    f.check = limitCheck(55, "CW speed must be less than 55 wpm.", "Invalid Speed");
    return {QStringLiteral("CW Speed"), QStringLiteral("CWSpeedSet"), QStringLiteral("WPM"), NumberBox(), f};
}

// A tone of fewer than four characters takes a "0" in front, as the
// configuration file's reader gives it.
QString paddedTone(const QString& tone) { return FindStem(&S::CWTone1).rule.finished(tone); }

FormRow toneRow(const char* caption, const char* name, TextArray SettingsTables::* setting,
                FlagArray SettingsTables::* flag)
{
    FieldDefinition f = ReaderField(Bind(setting, flag), &Intake::AsTyped,
                                    LoadForm::Tidied(&paddedTone));
    f.check = limitCheck(3500, "Entry must be less than 3500 Hertz.", "Invalid Tone");
    return {QString::fromLatin1(caption), QString::fromLatin1(name), {}, NumberBox(), f};
}

const std::vector<ListEntry> extrasEntries{
    {"Good M/A/E Before ID", "1"},
    {"Good M/A/E After ID", "2"},
    {"Time Before ID", "3"},
    {"Time After ID", "4"},
    {"Good M/A/E & Time Before ID", "5"},
    {"Good M/A/E & Time After ID", "6"},
    {"Good M/A/E Before & Time After ID", "7"},
    {"Time Before & Good M/A/E After ID", "8"},
    {"Time & Good M/A/E Before ID", "9"},
    {"Time  & Good M/A/E After ID", "10"},
    {"Random Rotation", "11"},
};

// Unticked stores "0" (no extras); ticked, the selector's pick. Saved in a
// section of their own.
FormRow extrasRow(int id, TextArray SettingsTables::* setting, FlagArray SettingsTables::* flag)
{
    FieldDefinition f = Field(Bind(setting, flag), &Intake::Trimmed, LoadForm::Trimmed);
    f.sections = {{&S::IDExtrasChanged}};
    f.caption = QStringLiteral("ID%1 Extras").arg(id);
    return {QStringLiteral("ID%1").arg(id), QStringLiteral("ID%1ExtrasSet").arg(id), {},
            CheckedListOf(QStringLiteral("ID%1Check").arg(id), extrasEntries, QStringLiteral("None Selected")), f};
}

} // namespace

ID::ID(AppContext& context, QWidget* parent) : SettingsEditor(context, {&S::IDChanged}, parent)
{
    setWindowTitle(QStringLiteral("ID Messages"));
    QTabWidget* pages = EditorPages(QStringLiteral("SSTab1"));
    for (int port = 1; port <= Count::Ports; ++port)
        pages->addTab(portPage(port), QStringLiteral("Port %1").arg(port));
    std::vector<int> messageFields;
    for (const MessageRow& r : messageRows) {
        m_messageFields.emplace_back(fieldOf(r.setting), r.box);
        messageFields.push_back(m_messageFields.back().first);
    }
    setInsertionBoxes(messageFields);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addWidget(listPanel());
    layout->addLayout(applyButtons(Qt::Vertical, QStringLiteral("CancelChanges"), QStringLiteral("&Cancel Changes")));
    loadControls();
}

QWidget* ID::portPage(int port)
{
    auto* messages = new QGridLayout;
    for (const MessageRow& r : messageRows) {
        QWidget* box = addRow(messages, messages->count() / 2, messageRow(r), At(port));
        box->setMaximumWidth(QWIDGETSIZE_MAX);
        box->setMinimumWidth(420);
    }
    auto* cw = new QGridLayout;
    addRow(cw, 0, speedRow(), At(port));
    addRow(cw, 1, toneRow("CW Tone 1", "CWTone1Set", &S::CWTone1, &S::CWTone1Changed), At(port));
    addRow(cw, 2, toneRow("CW Tone 2", "CwTone2Set", &S::CWTone2, &S::CWTone2Changed), At(port));

    auto* extras = new QVBoxLayout;
    extras->addWidget(addControl(extrasRow(1, &S::ID1Extras, &S::ID1ExtrasChanged), At(port)));
    extras->addWidget(addControl(extrasRow(2, &S::ID2Extras, &S::ID2ExtrasChanged), At(port)));
    extras->addWidget(addControl(extrasRow(3, &S::ID3Extras, &S::ID3ExtrasChanged), At(port)));
    auto* speech = new QVBoxLayout;
    FormRow enabled{QStringLiteral("Enabled"), QStringLiteral("SpeechEnabled"), {}, CheckBox(),
                    Field(Bind(&S::SpeechEnable, &S::SpeechEnableChanged), &Intake::AsTyped, LoadForm::Trimmed)};
    enabled.field.caption = QStringLiteral("Speech IDs");
    speech->addWidget(addControl(enabled, At(port)));

    auto* lower = new QHBoxLayout;
    lower->addLayout(cw);
    lower->addWidget(Frame(QStringLiteral("ID Extras"), extras));
    lower->addWidget(Frame(QStringLiteral("Speech IDs"), speech));
    lower->addStretch();
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(messages);
    layout->addLayout(lower);
    layout->addStretch();
    return page;
}

QWidget* ID::listPanel()
{
    m_vocabulary = new QListWidget;
    m_vocabulary->setObjectName(QStringLiteral("VocabList"));
    m_vocabulary->addItems(VocabularyRows(true));
    m_cw = new QListWidget;
    m_cw->setObjectName(QStringLiteral("CwList"));
    m_cw->addItems(CwRows());
    connect(m_vocabulary, &QListWidget::itemDoubleClicked, this, [this] { BuildVoiceMessage(); });
    connect(m_cw, &QListWidget::itemDoubleClicked, this, [this] { BuildCWMessage(); });
    m_vocabularyLabel = NamedLabel(QStringLiteral("Vocabulary List"), QStringLiteral("VocabLabel"));
    m_cwLabel = NamedLabel(QStringLiteral("CW List"), QStringLiteral("CwLabel"));
    m_wordsLabel = NamedLabel(QStringLiteral("  Words (max 22)"), QStringLiteral("WordCharLabel"));
    m_charactersLabel = NamedLabel(QStringLiteral("CW Characters      (max 15)"), QStringLiteral("CWCharLabel"));
    m_counter = CounterBox(QStringLiteral("CharCounter"));

    // The two lists, and their headings, share one place: one shows at a time.
    auto* grid = new QGridLayout;
    grid->addWidget(m_vocabularyLabel, 0, 0, 1, 2);
    grid->addWidget(m_cwLabel, 0, 0, 1, 2);
    grid->addWidget(m_vocabulary, 1, 0, 1, 2);
    grid->addWidget(m_cw, 1, 0, 1, 2);
    grid->addWidget(NamedLabel(QStringLiteral("Character Counter"), QStringLiteral("CharCounterLabel")), 2, 0);
    grid->addWidget(m_counter, 2, 1);
    grid->addWidget(m_wordsLabel, 3, 0, 1, 2);
    grid->addWidget(m_charactersLabel, 3, 0, 1, 2);
    // Nothing of them shows until a message box gets the focus.
    for (QWidget* w : std::initializer_list<QWidget*>{m_vocabulary, m_cw, m_vocabularyLabel, m_cwLabel, m_wordsLabel,
                                                       m_charactersLabel, m_counter}) {
        KeepRoomWhenHidden(w);
        w->hide();
    }
    m_vocabulary->setEnabled(false);
    m_cw->setEnabled(false);
    auto* panel = new QWidget;
    panel->setMinimumWidth(220);
    panel->setLayout(grid);
    return panel;
}

const MessageBoxKind* ID::boxOf(int field) const
{
    for (const auto& [f, box] : m_messageFields)
        if (f == field)
            return box;
    return nullptr;
}

void ID::showLists(MessageKind kind)
{
    const bool voice = kind == MessageKind::Voice;
    m_vocabulary->setEnabled(voice);
    m_vocabulary->setVisible(voice);
    m_vocabularyLabel->setVisible(voice);
    m_wordsLabel->setVisible(voice);
    m_cw->setEnabled(!voice);
    m_cw->setVisible(!voice);
    m_cwLabel->setVisible(!voice);
    m_charactersLabel->setVisible(!voice);
    m_counter->show();
}

void ID::changed(int field, int index)
{
    if (boxOf(field))
        m_counter->setText(QString::number(MessageCount(copies().copy(field, index))));
}

void ID::entered(int field, int index)
{
    const MessageBoxKind* box = boxOf(field);
    if (!box)
        return;
    showLists(box->kind);
    changed(field, index);
}

void ID::insert(MessageKind kind, QListWidget* list)
{
    const std::optional<FieldElement> target = insertionTarget();
    const QListWidgetItem* item = list->currentItem();
    // The blank row only sets the recorder tracks apart.
    if (!target || !item || item->text().trimmed().isEmpty())
        return;
    if (const MessageBoxKind* box = boxOf(target->field); box && box->kind == kind)
        insertAtTarget(item->text(), Items);
}

void ID::BuildVoiceMessage() { insert(MessageKind::Voice, m_vocabulary); }

void ID::BuildCWMessage() { insert(MessageKind::Cw, m_cw); }
