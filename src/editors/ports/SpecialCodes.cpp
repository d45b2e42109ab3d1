#include "editors/ports/SpecialCodes.h"

#include "editors/ControlNames.h"
#include "editors/PortSets.h"
#include "download/OptionBoardFile.h"
#include "editors/ports/NewCodeSender.h"
#include "platform/SingleLine.h"
#include "store/AppContext.h"
#include "store/ProgramName.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>

using S = SettingsTables;

namespace {

// One access code: the code in use, and the box for a new one.
struct CodeRow {
    const char* caption;
    const char* current;
    const char* fresh;
    NewCode::Kind kind;
    int port;
};
const CodeRow codeRows[] = {
    {"Port 1 Unlock", "CurrentPortUnlock", "NewPortUnlockSet", NewCode::Kind::PortUnlock, 1},
    {"Port 2 Unlock", "CurrentPortUnlock", "NewPortUnlockSet", NewCode::Kind::PortUnlock, 2},
    {"Port 3 Unlock", "CurrentPortUnlock", "NewPortUnlockSet", NewCode::Kind::PortUnlock, 3},
    {"Global Lock", "CurrentLock", "NewLockSet", NewCode::Kind::Lock, 0},
    {"Terminator", "CurrentTerminator", "NewTerminatorSet", NewCode::Kind::Terminator, 0},
};

QString CurrentCode(const SettingsTables& t, const CodeRow& row)
{
    switch (row.kind) {
    case NewCode::Kind::PortUnlock: return NormalisedCode(t.CurrentPortUnlock[row.port]);
    case NewCode::Kind::Lock: return NormalisedCode(t.CurrentLock);
    case NewCode::Kind::Terminator: return NormalisedCode(t.CurrentTerminator);
    }
    return {};
}

// A code that may not be empty: refused when its box is left empty, the
// stored code put back and the focus returned.
FormRow requiredCodeRow(const char* caption, const char* box, SettingBinding setting, const char* message)
{
    FieldDefinition f = ReaderField(setting, Intake::Code);
    f.check = Plain(Refusing([](const QString& t) { return t.trimmed().isEmpty(); }, QString::fromLatin1(message)));
    f.check->refocus = true;
    return {QString::fromLatin1(caption), QString::fromLatin1(box), {}, TextBox(), f};
}

// Any text but an empty one, which the configuration file could not read back.
FormRow textRow(const char* caption, const char* box, SettingBinding setting, IntakeRule intake = Intake::Trimmed)
{
    return {QString::fromLatin1(caption), QString::fromLatin1(box), {}, TextBox(),
            ReaderField(setting, intake)};
}

// A prefix of at most `digits` keys whose "0" means none, shown as "NONE";
// a longer text is refused as it is typed and the box emptied.
FormRow noneRow(const char* caption, const char* box, SettingBinding setting, int digits)
{
    FieldDefinition f = Field(setting, Intake::Code, LoadForm::Trimmed);
    f.check = Plain(Refusing(
        [digits](const QString& t) {
            const QString code = NormalisedCode(t);
            return code.size() > digits && code != u"NONE";
        },
        QStringLiteral("You can have a maximum of %1 digits. Try Again").arg(digits)));
    f.check->when = FieldCheck::When::Change;
    f.check->repair = FieldCheck::Repair::Empty;
    return {QString::fromLatin1(caption), QString::fromLatin1(box), {},
            TextBoxNamingEmpty(QStringLiteral("0"), QStringLiteral("NONE")), f};
}

FormRow listRow(const char* caption, const char* box, SettingBinding setting, std::vector<ListEntry> entries)
{
    return {QString::fromLatin1(caption), QString::fromLatin1(box), {}, MarkedListOf(std::move(entries)),
            Field(setting, Intake::AsTyped, LoadForm::Trimmed)};
}

FormRow checkRow(const char* caption, const char* box, SettingBinding setting)
{
    return {QString::fromLatin1(caption), QString::fromLatin1(box), {}, CheckBox(),
            Field(setting, Intake::AsTyped, LoadForm::Trimmed)};
}

// The row saved with the section of `flag`; with none, in a section that
// is always written.
FormRow inSection(FormRow row, std::vector<bool SettingsTables::*> flags)
{
    row.field.sections = std::move(flags);
    return row;
}

std::vector<ListEntry> SpeechMacros()
{
    std::vector<ListEntry> entries{{QStringLiteral("NONE"), QStringLiteral("0")}};
    for (const ListEntry& e : NumberEntries(1, Count::Macros))
        entries.push_back(e);
    return entries;
}

} // namespace

SpecialCodes::SpecialCodes(AppContext& context, ControllerLink& link, QWidget* parent)
    : SettingsEditor(context, {&S::SpecialCodesChanged}, parent),
      m_link(link)
{
    setWindowTitle(QStringLiteral("Special Codes"));
    // Every message of this window is plain: the program's title, no icon.
    setMessageStyle(PlainStyle());

    auto* grid = new QGridLayout;
    grid->addWidget(accessCodes(), 0, 0);
    grid->addWidget(autopatch(), 0, 1);
    grid->addWidget(tollRestrict(), 0, 2, 2, 1);
    grid->addWidget(userDtmf(), 1, 0);
    grid->addWidget(autodial(), 1, 1);

    auto* prefixes = new QHBoxLayout;
    auto* padTest = new QGridLayout;
    FormRow padPrefix =
        textRow("Prefix", "DTMFTestPrefixSet", Bind(&S::DTMFTestPrefix, &S::DTMFTestPrefixChanged), Intake::Code);
    padPrefix.field.caption = QStringLiteral("DTMF Pad Test Prefix");
    addRow(padTest, 0, padPrefix, Single());
    prefixes->addWidget(Frame(QStringLiteral("DTMF Pad Test"), padTest));
    prefixes->addWidget(singleBox(
        noneRow("Pre Access Code", "PreAccessSet", Bind(&S::PreAccessPrefix, &S::PreAccessPrefixChanged), 3)));
    prefixes->addWidget(singleBox(
        noneRow("Pre Program Prefix", "PreProgramSet", Bind(&S::PreProgramPrefix, &S::PreProgramPrefixChanged), 3)));

    auto* subset = new QGridLayout;
    addRow(subset, 0,
           inSection(checkRow("Enable", "MacroSubsetEnable", Bind(&S::MacroSubsetEnable, &S::MacroSubsetEnableChanged)),
                     {&S::MacroSubsetChanged}),
           Single());
    FormRow range = noneRow("Range", "MacroRangeSet", Bind(&S::MacroSubset, &S::MacroSubsetValueChanged), 4);
    range.field.caption = QStringLiteral("Macro SubSet Range");
    addRow(subset, 1, inSection(range, {&S::MacroSubsetChanged}), Single());
    prefixes->addWidget(Frame(QStringLiteral("Macro SubSet"), subset));
    prefixes->addWidget(addControl(
        inSection({QStringLiteral("DTMF Mute Select"), QStringLiteral("DTMFMuteDigitSelect"), {},
                   OptionsOtherwise({{QStringLiteral("1st Digit"), QStringLiteral("1"), QStringLiteral("FirstDigitSet")},
                                     {QStringLiteral("2nd Digit"), QStringLiteral("2"), QStringLiteral("SecondDigitSet")}},
                                    QStringLiteral("2")),
                   Field(Bind(&S::DTMFMuteDigitSelect, &S::DTMFMuteDigitSelectValueChanged), Intake::AsTyped,
                         LoadForm::Trimmed)},
                  {&S::DTMFMuteDigitSelectChanged}),
        Single()));
    grid->addLayout(prefixes, 2, 0, 1, 3);
    grid->setRowStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(applyButtons(Qt::Horizontal, QStringLiteral("Cancel"), QStringLiteral("C&ancel Changes")));
    loadControls();
    showCurrentCodes();
}

SpecialCodes::~SpecialCodes() = default;

QWidget* SpecialCodes::accessCodes()
{
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Current")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("New")), 0, 2);
    int gridRow = 1;
    for (const CodeRow& row : codeRows) {
        auto* current = new QLineEdit;
        current->setObjectName(ControlName(QString::fromLatin1(row.current), row.port));
        // The code in use, shown as no box to type in: a new one goes beside it.
        current->setReadOnly(true);
        current->setFocusPolicy(Qt::NoFocus);
        QPalette shown = current->palette();
        shown.setColor(QPalette::Base, shown.color(QPalette::Window));
        current->setPalette(shown);
        current->setMaximumWidth(90);
        auto* fresh = new QLineEdit;
        fresh->setObjectName(ControlName(QString::fromLatin1(row.fresh), row.port));
        fresh->setMaximumWidth(90);
        KeepSingleLine(fresh);
        grid->addWidget(new QLabel(QString::fromLatin1(row.caption)), gridRow, 0);
        grid->addWidget(current, gridRow, 1);
        grid->addWidget(fresh, gridRow, 2);
        ++gridRow;
    }
    // The table of codes has a frame of its own but no caption.
    return Frame({}, grid);
}

QWidget* SpecialCodes::userDtmf()
{
    // Saved with the access codes, whose section is always written.
    const FormRow rows[] = {
        inSection(textRow("User DTMF Prefix", "CurrentCommandPrefixSet",
                          Bind(&S::CommandPrefix, &S::CommandPrefixChanged), Intake::Code),
                  {}),
        inSection(listRow("Send To Port", "DTMFPortSet", Bind(&S::DTMFPort, &S::CommandPrefixChanged), PortSetEntries()),
                  {}),
        inSection(listRow("Macro To Use", "DTMFSpeechSet", Bind(&S::DTMFSpeech, &S::CommandPrefixChanged), SpeechMacros()),
                  {}),
    };
    auto* grid = new QGridLayout;
    addRows(grid, rows, Single());
    return Frame(QStringLiteral("User DTMF Regenerate"), grid);
}

QWidget* SpecialCodes::autopatch()
{
    const FormRow rows[] = {
        requiredCodeRow("Prefix", "APPrefixSet", Bind(&S::APPrefix, &S::APPrefixChanged),
                        "The Autopatch Prefix MUST be at least one digit long. Please try again"),
        requiredCodeRow("Answer Code", "AnswerCodeSet", Bind(&S::AnswerCode, &S::AnswerCodeChanged),
                        "The Answer Code MUST be at least one digit long. Please try again"),
        textRow("Number of Rings to Answer", "RingNumberSet", Bind(&S::RingNumber, &S::RingNumberChanged)),
        textRow("Timeout", "APTimeOutSet", Bind(&S::APTimeOut, &S::APTimeOutChanged)),
        listRow("Ports To Allow", "EnablePatchSet", Bind(&S::EnablePatch, &S::EnablePatchChanged), PortSetEntries()),
        checkRow("Patch Muting", "PatchMuteSet", Bind(&S::PatchMute, &S::PatchMuteChanged)),
    };
    auto* grid = new QGridLayout;
    addRows(grid, rows, Single());
    return Frame(QStringLiteral("Autopatch"), grid);
}

QWidget* SpecialCodes::autodial()
{
    const int slot = addSelector(QStringLiteral("AutoDialSlotSet"), Count::AutoDialSlots);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("AutoDial Slot")), 0, 0);
    grid->addWidget(selectorList(slot), 0, 1);
    ControlKind number = TextBox();
    number.marked = false;
    addRow(grid, 1,
           {QStringLiteral("Phone Number"), QStringLiteral("AutoDialNumberSet"), {}, number,
            Field(Bind(&S::AutoDial, &S::AutoDialChanged), Intake::Trimmed, LoadForm::Trimmed)},
           ChosenBy(slot));
    return Frame(QStringLiteral("Autodial Memories"), grid);
}

QWidget* SpecialCodes::tollRestrict()
{
    m_tollEntry = new QLineEdit;
    m_tollEntry->setObjectName(QStringLiteral("TollRestrictSet"));
    m_tollEntry->setMaximumWidth(120);
    KeepSingleLine(m_tollEntry);
    auto* add = new QPushButton(QStringLiteral("&Add"));
    add->setObjectName(QStringLiteral("TollAdd"));
    auto* remove = new QPushButton(QStringLiteral("&Delete"));
    remove->setObjectName(QStringLiteral("TollDelete"));
    auto* list = new QListWidget;
    list->setObjectName(QStringLiteral("TollRestrictList"));
    m_toll = std::make_unique<EntryList>(list);
    FieldDefinition entries = Field(Bind(&S::TollRestrict, &S::TollRestrictChanged), Intake::Trimmed, LoadForm::Trimmed);
    entries.caption = QStringLiteral("Toll Restrict");
    bindEntries(copies().add(entries), m_toll.get());
    connect(add, &QPushButton::clicked, this, &SpecialCodes::TollAdd_Click);
    connect(m_tollEntry, &QLineEdit::returnPressed, this, &SpecialCodes::TollAdd_Click);
    // Only the list changes; Apply writes it to the table.
    connect(remove, &QPushButton::clicked, this, [this] { (void)m_toll->removeSelected(); });

    auto* layout = new QVBoxLayout;
    auto* entry = new QHBoxLayout;
    entry->addWidget(m_tollEntry);
    entry->addWidget(add);
    entry->addWidget(remove);
    layout->addLayout(entry);
    layout->addWidget(list);
    return Frame(QStringLiteral("Toll Restrict"), layout);
}

// A frame holding one box, its caption the frame's title.
QWidget* SpecialCodes::singleBox(const FormRow& row)
{
    auto* layout = new QHBoxLayout;
    layout->addWidget(addControl(row, Single()));
    return Frame(row.caption, layout);
}

void SpecialCodes::TollAdd_Click()
{
    const QString entry = m_tollEntry->text().trimmed();
    if (entry.isEmpty())
        return;
    if (!m_toll->add(entry)) {
        context().dialogs.message(ProgramName,
                                  QStringLiteral("The toll restriction list holds at most %1 entries. Delete one "
                                                 "before you add another.")
                                      .arg(Count::TollEntries));
        return;
    }
    m_tollEntry->clear();
    m_tollEntry->setFocus();
}

QLineEdit* SpecialCodes::newBox(const NewCode& code) const
{
    for (const CodeRow& row : codeRows)
        if (row.kind == code.kind && row.port == code.port)
            return control<QLineEdit>(QString::fromLatin1(row.fresh), row.port);
    return nullptr;
}

std::vector<NewCode> SpecialCodes::typedCodes() const
{
    TextArray ports(Count::Ports);
    for (int port = 1; port <= Count::Ports; ++port)
        ports[port] = control<QLineEdit>(QStringLiteral("NewPortUnlockSet"), port)->text();
    return TypedCodes(ports, control<QLineEdit>(QStringLiteral("NewLockSet"))->text(),
                      control<QLineEdit>(QStringLiteral("NewTerminatorSet"))->text());
}

void SpecialCodes::showCurrentCodes()
{
    for (const CodeRow& row : codeRows)
        control<QLineEdit>(QString::fromLatin1(row.current), row.port)->setText(CurrentCode(context().tables, row));
}

void SpecialCodes::showOptionBoard(const OptionBoardFile& board)
{
    if (board.tollRestrict) {
        const auto& list = *board.tollRestrict;
        const int toll = fieldOf(&S::TollRestrict);
        for (int i = 1; i <= Count::TollEntries; ++i)
            edit(toll, i, std::size_t(i) <= list.size() ? list[std::size_t(i) - 1].second : QString());
    }
    if (board.answerCode)
        edit(fieldOf(SettingBinding{&S::AnswerCode}), 1, *board.answerCode);
    if (board.ringNumber)
        edit(fieldOf(SettingBinding{&S::RingNumber}), 1, *board.ringNumber);
}

void SpecialCodes::focusFirstEntry() { control<QLineEdit>(QStringLiteral("NewLockSet"))->setFocus(); }

bool SpecialCodes::applyForCommand()
{
    const QScopedValueRollback waiting(m_codesWait, true);
    return applyEdits();
}

QStringList SpecialCodes::waitingToSend() const
{
    QStringList waiting;
    for (const NewCode& code : typedCodes())
        waiting << QStringLiteral("%1 \"%2\"").arg(CodeName(code), code.code);
    return waiting;
}

// Nothing is stored or sent while a new code breaks a rule.
std::optional<SettingsEditor::Refusal> SpecialCodes::vetoApply()
{
    if (m_codesWait)
        return std::nullopt;
    if (std::optional<QString> refused = RefusalOf(typedCodes(), context().tables))
        return Refusal{*refused};
    return std::nullopt;
}

void SpecialCodes::afterApply(const std::vector<FieldElement>&)
{
    const std::vector<NewCode> codes = typedCodes();
    if (m_codesWait || codes.empty())
        return;
    AppContext& c = context();
    const int taken = runDisabled([&] { return NewCodeSender(c.tables, c.profile, c.dialogs, m_link).send(codes); });
    // The controller has these: a later Apply must not send them again.
    for (int i = 0; i < taken; ++i)
        newBox(codes[static_cast<std::size_t>(i)])->clear();
    showCurrentCodes();
}

void SpecialCodes::afterCancel()
{
    for (const CodeRow& row : codeRows)
        control<QLineEdit>(QString::fromLatin1(row.fresh), row.port)->clear();
}
