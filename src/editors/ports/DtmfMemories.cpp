#include "editors/ports/DtmfMemories.h"

#include "editors/ControlNames.h"
#include "editors/ports/DtmfMemoryText.h"
#include "store/AppContext.h"
#include "store/TextHelpers.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using S = SettingsTables;

namespace {

// Only keys the controller can store and DTMF mode can play: a change that
// adds another is put back, whatever the memory held before. More than ten
// keys: the memory keeps its first ten.
FieldCheck memoryCheck(const SettingsTables& tables)
{
    const auto adds = [&tables](KeyFault fault) {
        return [&tables, fault](const QString& t, const QString& before) {
            return AddedKeyFault(before, t, tables.Terminator) == fault;
        };
    };
    FieldCheck terminator = RefusingChange(
        adds(KeyFault::Terminator),
        QStringLiteral("The entered digit is the same as your presently defined DTMF Terminator Digit and therefore "
                       "may not be used"));
    FieldCheck notAKey =
        RefusingChange(adds(KeyFault::NotAKey), QStringLiteral("That is not a valid DTMF Digit. Try again"));
    for (FieldCheck* key : {&terminator, &notAKey})
        *key = Plain(std::move(*key));
    FieldCheck tooMany = Refusing([](const QString& t) { return KeyCount(t) > MaxMemoryKeys; },
                                  QStringLiteral("You can only use 10  digits for this memory!"));
    FieldCheck check = FirstOf({terminator, notAKey, tooMany});
    check.when = FieldCheck::When::Change;
    check.repair = FieldCheck::Repair::Own;
    check.mend = [&tables](const QString& refused, const QString& before) {
        return AddedKeyFault(before, refused, tables.Terminator) != KeyFault::None ? before
                                                                                    : FirstKeys(refused, MaxMemoryKeys);
    };
    return check;
}

// The keys upper-cased and one blank between each two, as the configuration
// file reads them back, however they were typed: "1 d" and "1d" store "1 D".
QString memoryIntake(const QString& text) { return SpaceOutDigits(text.toUpper()); }

FormRow memoryRow(const SettingsTables& tables)
{
    FieldDefinition f = ReaderField(Bind(&S::DTMFMemory, &S::DTMFMemoryChanged),
                                    &memoryIntake, LoadForm::ShownTrimmed);
    f.caption = QStringLiteral("DTMF memory");
    f.check = memoryCheck(tables);
    return {{}, QStringLiteral("DTMFSet"), {}, TextBoxEmptyAs(NoneStored, NoneStored), f};
}

// The copy is the text as typed; one emptied by the range check stays empty,
// which the configuration file cannot read back, so Apply refuses it by name.
FormRow parameterRow(const char* caption, const char* box, QString SettingsTables::* setting,
                     bool SettingsTables::* flag)
{
    FieldDefinition f = ReaderField(Bind(setting, flag));
    f.check = Plain(Between(0, 255, QStringLiteral("Value must be between 0 and 255. Try again.")));
    f.check->when = FieldCheck::When::Change;
    f.check->repair = FieldCheck::Repair::Empty;
    return {QString::fromLatin1(caption), QString::fromLatin1(box), QStringLiteral("ms"), NumberBox(), f};
}

} // namespace

DTMF::DTMF(AppContext& context, QWidget* parent) : SettingsEditor(context, {&S::DTMFChanged}, parent)
{
    setWindowTitle(QStringLiteral("DTMF Memories"));
    auto* right = new QVBoxLayout;
    right->addWidget(keyPanel());
    right->addWidget(parameterFrame());
    right->addStretch();

    const FormRow memory = memoryRow(context.tables);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(memoryFrame(memory, 1, Count::DTMFMemories / 2));
    layout->addWidget(memoryFrame(memory, Count::DTMFMemories / 2 + 1, Count::DTMFMemories));
    layout->addLayout(right);
    layout->addStretch();
    layout->addLayout(applyButtons(Qt::Vertical, QStringLiteral("Cancel"), QStringLiteral("&Cancel Changes")));
    loadControls();
}

QWidget* DTMF::memoryFrame(const FormRow& row, int first, int last)
{
    auto* grid = new QGridLayout;
    for (int i = first; i <= last; ++i) {
        FormRow numbered = row;
        numbered.caption = QString::number(i);
        auto* box = static_cast<QLineEdit*>(addRow(grid, i - first, numbered, At(i)));
        box->setMaximumWidth(QWIDGETSIZE_MAX);
        box->setMinimumWidth(170);
    }
    m_memory = fieldOf(row.field.setting);
    // Only a click chooses the box that the key list fills, never the keyboard.
    setInsertionBoxes({m_memory}, TargetBy::Clicking);
    auto* box = new QGroupBox(QStringLiteral("DTMF Memories"));
    box->setLayout(grid);
    return box;
}

QWidget* DTMF::keyPanel()
{
    m_keys = new QListWidget;
    m_keys->setObjectName(QStringLiteral("DTMFList"));
    m_keys->addItems(DtmfMemoryKeys());
    m_keys->setMaximumWidth(60);
    // All sixteen keys in sight.
    m_keys->setFixedHeight(m_keys->sizeHintForRow(0) * m_keys->count() + 2 * m_keys->frameWidth());
    m_keys->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_keys->setToolTip(QStringLiteral("Double-click a key to put it into the memory box last clicked"));
    connect(m_keys, &QListWidget::itemDoubleClicked, this, [this] { BuildDTMFMessage(); });

    m_counter = CounterBox(QStringLiteral("DigitCounter"));

    auto* grid = new QGridLayout;
    grid->addWidget(m_keys, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Digit Counter")), 1, 0);
    grid->addWidget(m_counter, 1, 1);
    auto* panel = new QWidget;
    panel->setLayout(grid);
    return panel;
}

QWidget* DTMF::parameterFrame()
{
    auto* grid = new QGridLayout;
    addRow(grid, 0, parameterRow("Duration", "DTMFDurSet", &S::DTMFDur, &S::DTMFDurChanged), Single());
    addRow(grid, 1, parameterRow("Delay", "DTMFDelaySet", &S::DTMFDelay, &S::DTMFDelayChanged), Single());
    auto* box = new QGroupBox(QStringLiteral("DTMF Parameters"));
    box->setLayout(grid);
    return box;
}

void DTMF::changed(int field, int index)
{
    if (field == m_memory)
        showCount(index);
}

void DTMF::showCount(int memory)
{
    m_counter->setText(QString::number(KeyCount(copies().copy(m_memory, memory))));
}

void DTMF::entered(int field, int index)
{
    if (field == m_memory)
        showCount(index);
}

void DTMF::BuildDTMFMessage()
{
    // Too many keys are cut back to ten by the memory's check, caret at the end.
    if (const QListWidgetItem* key = m_keys->currentItem())
        insertAtTarget(key->text(), {false, InsertionRule::AfterSelection::PastNextBlank});
}
