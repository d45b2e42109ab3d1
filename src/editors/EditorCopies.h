#pragma once

#include "editors/RangeRule.h"
#include "editors/SettingBinding.h"
#include "store/ValueRule.h"

#include <optional>
#include <vector>

// How a control's value becomes the working copy.
enum class Intake {
    AsTyped,
    Trimmed, // leading and trailing blanks removed
    Number,  // the leading number written as decimal digits: "007" gives "7", "" gives "0"
};

// How the stored text is put into the control and the copy when the editor loads.
enum class LoadForm { AsStored, Trimmed };

// One row of an editor's table: a setting, how its copy is formed and checked.
struct FieldSpec {
    SettingBinding setting;
    Intake intake = Intake::AsTyped;
    LoadForm load = LoadForm::AsStored;
    std::optional<RangeRule> range;
    // The reader's rule for the setting: Apply refuses a changed copy that the
    // reader would replace by its default when the file is read back.
    const ValueRule* reader = nullptr;
    bool restoredByCancel = true;
};

// A row with no range check and no reader rule.
inline FieldSpec Row(SettingBinding setting, Intake intake = Intake::AsTyped, LoadForm load = LoadForm::AsStored)
{
    FieldSpec f;
    f.setting = setting;
    f.intake = intake;
    f.load = load;
    return f;
}

struct FieldElement {
    int field;
    int index;
};

// The working copies of one editor, with the settings they were taken from.
// Knows no widget: the window only moves texts between its controls and here.
class EditorCopies {
public:
    EditorCopies(SettingsTables& tables, std::vector<bool SettingsTables::*> sectionFlags);

    // Adds a row in Apply order; returns its field number.
    int add(FieldSpec definition);

    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const FieldSpec& definition(int field) const { return m_fields.at(field).definition; }
    // Indices run from 1 to count, as in the settings table.
    int count(int field) const { return m_fields.at(field).copies.count(); }

    const QString& stored(int field, int i) const;
    QString loadText(int field, int i) const;
    const QString& copy(int field, int i) const { return m_fields.at(field).copies[i]; }

    // The control now holds `text`.
    void take(int field, int i, const QString& text);
    void setCopy(int field, int i, const QString& text) { m_fields.at(field).copies[i] = text; }
    // The copy becomes the stored text in its load form.
    void load(int field, int i) { setCopy(field, i, loadText(field, i)); }

    // Exact, case-sensitive: "050" differs from "50".
    bool differs(int field, int i) const { return copy(field, i) != stored(field, i); }
    bool anyDiffers() const;

    // What the range check puts back into the box.
    QString repairText(int field, int i, RangeRule::Repair repair) const;
    // A changed copy that the reader would refuse when the file is read back.
    bool unreadable(int field, int i) const;
    std::vector<FieldElement> unreadable() const;

    // For each copy that differs: its changed flag, the section flags and
    // DataSaved False; then every copy is stored. True when something differed.
    bool apply();

private:
    struct Field {
        FieldSpec definition;
        TextArray copies;
    };

    SettingsTables& m_tables;
    std::vector<bool SettingsTables::*> m_sectionFlags;
    std::vector<Field> m_fields;
};
