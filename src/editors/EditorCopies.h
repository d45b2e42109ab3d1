#pragma once

#include "editors/FieldCheck.h"
#include "editors/SettingBinding.h"
#include "store/ValueRule.h"

#include <optional>
#include <vector>

class SettingsNotices;

// How a control's value becomes the working copy.
enum class Intake {
    AsTyped,
    Trimmed, // leading and trailing blanks removed
    Number,  // the leading number written as decimal digits: "007" gives "7", "" gives "0"
    Upper,   // upper-cased; the box keeps what was typed
    Code,    // a DTMF code: trimmed and upper-cased, "a1 " gives "A1"
};

// How the stored text becomes the copy when the editor loads.
enum class LoadForm {
    AsStored,
    Trimmed,
    // As the control's change rule takes it: the control shows the stored
    // text ("05") while the copy holds its intake form ("5").
    ThroughIntake,
    // The control shows the stored text trimmed, and its blanks at the ends
    // are no change: the copy is the stored text while the control shows it
    // so ("4 5 6 " shown as "4 5 6").
    ShownTrimmed,
};

// When an edit reaches the settings tables.
enum class Commit {
    OnApply, // with the editor's Apply, or when its tab is left
    AtOnce,  // as soon as the user makes it
};

// One setting an editor edits: where it lives, how its copy is formed and checked.
struct FieldDefinition {
    SettingBinding setting;
    QString caption; // names the control in a message
    Intake intake = Intake::AsTyped;
    LoadForm load = LoadForm::AsStored;
    std::optional<FieldCheck> check;
    // The reader's rule for the setting: Apply refuses a changed copy that the
    // reader would replace by its default when the file is read back.
    const ValueRule* reader = nullptr;
    bool restoredByCancel = true;
    Commit commit = Commit::OnApply;
};

// A field with no check and no reader rule.
inline FieldDefinition Field(SettingBinding setting, Intake intake = Intake::AsTyped, LoadForm load = LoadForm::AsStored)
{
    FieldDefinition f;
    f.setting = setting;
    f.intake = intake;
    f.load = load;
    return f;
}

// A field whose copy Apply refuses when the configuration file's reader
// would not read it back: the rule of the setting's key `key`.
FieldDefinition ReaderField(SettingBinding setting, const QString& key, Intake intake = Intake::AsTyped,
                      LoadForm load = LoadForm::Trimmed);

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
    // Copy and base become the stored text in the load form.
    void load(int field, int i);
    // Copy and base become the stored text as it stands (through the intake
    // for a field loaded that way).
    void restore(int field, int i);

    // Exact, case-sensitive: "050" differs from "50".
    bool differs(int field, int i) const { return copy(field, i) != stored(field, i); }
    // The user changed the copy since it was last taken from the tables.
    bool edited(int field, int i) const { return copy(field, i) != m_fields.at(field).bases[i]; }

    // The element was written by someone else: a copy not edited takes the
    // new value. True when the copy changed.
    bool takeOutside(int field, int i);
    // The field and index standing for a setting element, if this editor has it.
    std::optional<FieldElement> find(const SettingElement& element) const;

    // What a refusal of `refused` puts back into the box; `previous` is the
    // text from before the change.
    QString repairText(int field, int i, FieldCheck::Repair repair, const QString& previous,
                       const QString& refused) const;
    // A changed copy that the reader would refuse when the file is read back.
    bool unreadable(int field, int i) const;
    std::vector<FieldElement> unreadable() const;

    // For each copy that differs: its changed flag, the setting, and the
    // others told; when any differed, the section flags and DataSaved False.
    // Copies equal to their setting write nothing. Gives what was written.
    std::vector<FieldElement> apply();
    // The same for one element, as a field committed at once does.
    bool commit(int field, int i);

private:
    struct Field {
        FieldDefinition definition;
        TextArray copies;
        TextArray bases;
    };
    QString intakeOf(int field, const QString& text) const;
    bool store(int field, int i);
    void markUnsaved();

    SettingsTables& m_tables;
    const SettingsNotices* m_notices;
    std::vector<bool SettingsTables::*> m_sectionFlags;
    std::vector<Field> m_fields;
};
