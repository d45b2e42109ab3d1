#include "editors/EditorCopies.h"

#include "store/TextHelpers.h"

EditorCopies::EditorCopies(SettingsTables& tables, std::vector<bool SettingsTables::*> sectionFlags)
    : m_tables(tables), m_sectionFlags(std::move(sectionFlags))
{
}

int EditorCopies::add(FieldSpec definition)
{
    const int count = definition.setting.count(m_tables);
    m_fields.push_back({std::move(definition), TextArray(count)});
    const int field = fieldCount() - 1;
    for (int i = 1; i <= count; ++i)
        load(field, i);
    return field;
}

const QString& EditorCopies::stored(int field, int i) const
{
    return m_fields.at(field).definition.setting.value(m_tables, i);
}

QString EditorCopies::loadText(int field, int i) const
{
    const QString& text = stored(field, i);
    return definition(field).load == LoadForm::Trimmed ? text.trimmed() : text;
}

void EditorCopies::take(int field, int i, const QString& text)
{
    switch (definition(field).intake) {
    case Intake::AsTyped: setCopy(field, i, text); break;
    case Intake::Trimmed: setCopy(field, i, text.trimmed()); break;
    case Intake::Number: setCopy(field, i, LeadingNumberText(text)); break;
    }
}

bool EditorCopies::anyDiffers() const
{
    for (int f = 0; f < fieldCount(); ++f)
        for (int i = 1; i <= count(f); ++i)
            if (differs(f, i))
                return true;
    return false;
}

QString EditorCopies::repairText(int field, int i, RangeRule::Repair repair) const
{
    switch (repair) {
    case RangeRule::Repair::Stored: return stored(field, i);
    case RangeRule::Repair::Zero: return QStringLiteral("0");
    case RangeRule::Repair::Empty: return {};
    }
    return {};
}

bool EditorCopies::unreadable(int field, int i) const
{
    const ValueRule* reader = definition(field).reader;
    return reader && differs(field, i) && !reader->accepts(reader->normalised(copy(field, i)));
}

std::vector<FieldElement> EditorCopies::unreadable() const
{
    std::vector<FieldElement> out;
    for (int f = 0; f < fieldCount(); ++f)
        for (int i = 1; i <= count(f); ++i)
            if (unreadable(f, i))
                out.push_back({f, i});
    return out;
}

bool EditorCopies::apply()
{
    bool changed = false;
    for (int f = 0; f < fieldCount(); ++f) {
        const SettingBinding& setting = definition(f).setting;
        for (int i = 1; i <= count(f); ++i) {
            if (differs(f, i)) {
                setting.raiseFlag(m_tables, i);
                changed = true;
            }
            setting.value(m_tables, i) = copy(f, i);
        }
    }
    if (changed) {
        for (bool SettingsTables::* flag : m_sectionFlags)
            m_tables.*flag = true;
        m_tables.DataSaved = false;
    }
    return changed;
}
