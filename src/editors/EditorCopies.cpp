#include "editors/EditorCopies.h"

#include "store/KeyRegistry.h"
#include "store/SettingsNotices.h"
#include "store/TextHelpers.h"

FieldDefinition ReaderField(SettingBinding setting, const QString& key, Intake intake, LoadForm load)
{
    FieldDefinition f = Field(setting, intake, load);
    f.reader = &FindStem(key).rule;
    return f;
}

EditorCopies::EditorCopies(SettingsTables& tables, const SettingsNotices* notices,
                           std::vector<bool SettingsTables::*> sectionFlags)
    : m_tables(tables), m_notices(notices), m_sectionFlags(std::move(sectionFlags))
{
}

int EditorCopies::add(FieldDefinition definition)
{
    const int count = definition.setting.count(m_tables);
    m_fields.push_back({std::move(definition), TextArray(count), TextArray(count)});
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
    switch (definition(field).load) {
    case LoadForm::AsStored: return text;
    case LoadForm::Trimmed: return text.trimmed();
    case LoadForm::ThroughIntake: return intakeOf(field, text);
    case LoadForm::ShownTrimmed: return text;
    }
    return text;
}

QString EditorCopies::shownText(int field, int i) const
{
    const LoadForm load = definition(field).load;
    if (load == LoadForm::ThroughIntake && !edited(field, i) && copy(field, i) == loadText(field, i))
        return stored(field, i);
    if (load == LoadForm::ShownTrimmed && copy(field, i) == stored(field, i))
        return stored(field, i).trimmed();
    return copy(field, i);
}

QString EditorCopies::intakeOf(int field, const QString& text) const
{
    switch (definition(field).intake) {
    case Intake::AsTyped: return text;
    case Intake::Trimmed: return text.trimmed();
    case Intake::Number: return LeadingNumberText(text);
    case Intake::Upper: return text.toUpper();
    case Intake::Code: return text.trimmed().toUpper();
    }
    return text;
}

void EditorCopies::take(int field, int i, const QString& text)
{
    const QString& kept = stored(field, i);
    if (definition(field).load == LoadForm::ShownTrimmed && text == kept.trimmed())
        setCopy(field, i, kept); // the stored text as the control shows it
    else
        setCopy(field, i, intakeOf(field, text));
}

void EditorCopies::load(int field, int i)
{
    Field& f = m_fields.at(field);
    f.copies[i] = f.bases[i] = loadText(field, i);
}

void EditorCopies::restore(int field, int i)
{
    Field& f = m_fields.at(field);
    f.copies[i] = f.bases[i] = definition(field).load == LoadForm::ThroughIntake ? loadText(field, i) : stored(field, i);
}

bool EditorCopies::takeOutside(int field, int i)
{
    const QString fresh = loadText(field, i);
    if (edited(field, i) && copy(field, i) != fresh)
        return false; // the user's edit stands, and Apply will store it
    const bool changed = copy(field, i) != fresh;
    load(field, i);
    return changed;
}

std::optional<FieldElement> EditorCopies::find(const SettingElement& element) const
{
    for (int f = 0; f < fieldCount(); ++f)
        if (const int i = definition(f).setting.indexOf(element); i > 0 && i <= count(f))
            return FieldElement{f, i};
    return std::nullopt;
}

QString EditorCopies::repairText(int field, int i, FieldCheck::Repair repair, const QString& previous,
                                const QString& refused) const
{
    switch (repair) {
    case FieldCheck::Repair::Stored: return stored(field, i);
    case FieldCheck::Repair::Zero: return QStringLiteral("0");
    case FieldCheck::Repair::Empty: return {};
    case FieldCheck::Repair::Previous: return previous;
    case FieldCheck::Repair::Own: return definition(field).check->mend(refused, previous);
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

bool EditorCopies::store(int field, int i)
{
    Field& f = m_fields.at(field);
    f.bases[i] = f.copies[i];
    if (!differs(field, i))
        return false;
    const SettingBinding& setting = f.definition.setting;
    setting.raiseFlag(m_tables, i);
    setting.value(m_tables, i) = f.copies[i];
    if (m_notices)
        m_notices->written(setting.element(i), this);
    return true;
}

void EditorCopies::markUnsaved()
{
    for (bool SettingsTables::* flag : m_sectionFlags)
        m_tables.*flag = true;
    m_tables.DataSaved = false;
}

std::vector<FieldElement> EditorCopies::apply()
{
    std::vector<FieldElement> written;
    for (int f = 0; f < fieldCount(); ++f)
        for (int i = 1; i <= count(f); ++i)
            if (store(f, i))
                written.push_back({f, i});
    if (!written.empty())
        markUnsaved();
    return written;
}

bool EditorCopies::commit(int field, int i)
{
    const bool changed = store(field, i);
    if (changed)
        markUnsaved();
    return changed;
}
