#pragma once

#include "editors/FieldCheck.h"
#include "editors/FieldForms.h"
#include "editors/SettingBinding.h"
#include "store/ValueRule.h"

#include <functional>
#include <optional>
#include <vector>

class SettingsNotices;

// What a write made at once, outside Apply, does besides the value: its
// changed flag, section flags, and whether the configuration counts as unsaved.
struct StorePolicy {
    bool itemFlag = false;
    std::vector<bool SettingsTables::*> sections;
    bool unsaved = false;
};
// The value alone: no flag, and the saved state kept.
inline StorePolicy Quietly() { return {}; }

// Why Apply cannot store a copy; nothing when it can.
using ApplyGate = std::function<std::optional<QString>(const QString& copy)>;

// One setting an editor edits: where it lives, how its copy is formed and checked.
struct FieldDefinition {
    SettingBinding setting;
    QString caption; // names the control in a message
    IntakeRule intake = &Intake::AsTyped;
    LoadRule load = LoadForm::AsStored;
    std::optional<FieldCheck> check;
    std::optional<FieldWarning> warning;
    // The section flags its Apply raises; unset: the editor's.
    std::optional<std::vector<bool SettingsTables::*>> sections;
    // Changed flags its Apply raises beside its own, at the same index: what
    // the controller must be sent again with it.
    std::vector<SettingBinding> alsoFlags;
    // Leaving the box puts the copy into this form, with no message; with
    // `tidiesStored` the stored value too, quietly.
    IntakeRule tidy = nullptr;
    bool tidiesStored = false;
    // A check of the whole copy at Apply, beside the reader's rule; it judges
    // the copy as it would be stored.
    ApplyGate gate;
    // What Apply stores of the copy (a message's blanks tidied, say); null:
    // the copy as it is.
    IntakeRule storedForm = nullptr;
    // The reader's rule for the setting: Apply refuses a changed copy that the
    // reader would replace by its default when the file is read back.
    const ValueRule* reader = nullptr;
    bool restoredByCancel = true;
    // The number a message gives element 1: "Macro (41)" for the first short macro.
    int firstNumber = 1;
};

// A field with no check and no reader rule.
inline FieldDefinition Field(SettingBinding setting, IntakeRule intake = &Intake::AsTyped,
                             LoadRule load = LoadForm::AsStored)
{
    FieldDefinition f;
    f.setting = setting;
    f.intake = intake;
    f.load = load;
    return f;
}

// A field whose copy Apply refuses when the configuration file's reader
// would not read it back.
FieldDefinition ReaderField(SettingBinding setting, IntakeRule intake = &Intake::AsTyped,
                            LoadRule load = LoadForm::Trimmed);

struct FieldElement {
    int field;
    int index;
    bool operator==(const FieldElement&) const = default;
};

// The working copies of one editor, with the settings they were taken from.
// Knows no widget: the window only moves texts between its controls and here.
// Each copy remembers the value it was last taken from (its base), so a
// setting written by someone else replaces a copy the user has not edited.
class EditorCopies {
public:
    // `notices` may be null: then nobody is told what Apply wrote.
    // `sectionFlags` are raised by the fields that name none of their own.
    EditorCopies(SettingsTables& tables, const SettingsNotices* notices,
                 std::vector<bool SettingsTables::*> sectionFlags);

    // Adds a field in Apply order; returns its number. Its copies are loaded.
    int add(FieldDefinition definition);

    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const FieldDefinition& definition(int field) const { return m_fields.at(field).definition; }
    // Indices run from 1 to count, as in the settings table.
    int count(int field) const { return m_fields.at(field).copies.count(); }

    const QString& stored(int field, int i) const;
    QString loadText(int field, int i) const;
    const QString& copy(int field, int i) const { return m_fields.at(field).copies[i]; }
    // What the control shows for the copy: the stored text while a copy
    // taken through the intake is not edited, else the copy.
    QString shownText(int field, int i) const;

    // The control now holds `text`: the copy takes it in the field's intake form.
    void take(int field, int i, const QString& text);
    void setCopy(int field, int i, const QString& text) { m_fields.at(field).copies[i] = text; }
    // Copy and base become the stored text in the load form; a field whose
    // load tidies the store puts that form into the tables too.
    void load(int field, int i);
    // Copy and base become the stored text as it stands (through the intake
    // for a field loaded that way).
    void restore(int field, int i);

    // What Apply stores of the copy.
    QString toStore(int field, int i) const;
    // Exact, case-sensitive: "050" differs from "50". What Apply would store
    // is compared, so a copy that stores as the setting stands is no change.
    bool differs(int field, int i) const { return toStore(field, i) != stored(field, i); }
    // The user changed the copy since it was last taken from the tables.
    bool edited(int field, int i) const { return copy(field, i) != m_fields.at(field).bases[i]; }

    // The element was written by someone else: a copy not edited takes the
    // new value. True when the copy changed.
    bool takeOutside(int field, int i);
    // The field and index standing for a setting element, if this editor has it.
    std::optional<FieldElement> find(const SettingElement& element) const;

    // What a refusal of `refused` puts back into the box; `previous` is the
    // text from before the change (an undo also puts back the caret, which
    // the window knows).
    FieldCheck::Mend repairText(int field, int i, FieldCheck::Repair repair, const QString& previous,
                       const QString& refused) const;
    // A changed copy that the reader would refuse when the file is read back.
    bool unreadable(int field, int i) const;

    // A changed copy that Apply cannot store, with the reason.
    struct Refused {
        FieldElement element;
        QString reason;
    };
    // Every changed copy that Apply cannot store, in field order: a text the
    // file cannot hold or that holds a control character (which would reach
    // the controller inside a command line), one the reader would refuse
    // when the file is read back (in the words of the field's check where it
    // speaks for the text), one the field's gate refuses.
    std::vector<Refused> refusals() const;

    // For each copy that differs: its changed flag, its field's section
    // flags, the setting, and the others told; when any differed, DataSaved
    // False. Copies equal to their setting write nothing. Gives what was written.
    std::vector<FieldElement> apply();

    // Leaving a box: the copy in the field's tidy form, and the stored value
    // too where the field says so, quietly. True when the copy changed.
    bool tidy(int field, int i);
    // Writes one element at once with the policy, and tells the others. A
    // copy of this editor's for it takes the value, edited or not: given back.
    std::optional<FieldElement> storeNow(const SettingBinding& setting, int index, const QString& value,
                                         const StorePolicy& policy);

private:
    struct Field {
        FieldDefinition definition;
        TextArray copies;
        TextArray bases;
    };
    QString intakeOf(int field, const QString& text) const;
    bool store(int field, int i);
    void raiseSections(int field);
    // The value into the tables with no flag, the others told.
    void writeQuietly(const SettingBinding& setting, int i, const QString& value);

    SettingsTables& m_tables;
    const SettingsNotices* m_notices;
    std::vector<bool SettingsTables::*> m_sectionFlags;
    std::vector<Field> m_fields;
};
