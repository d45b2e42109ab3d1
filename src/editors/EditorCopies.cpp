#include "editors/EditorCopies.h"

#include "platform/IniDocument.h"
#include "store/KeyRegistry.h"
#include "store/SettingsNotices.h"
#include "store/TextHelpers.h"

#include <algorithm>

FieldDefinition ReaderField(SettingBinding setting, IntakeRule intake, LoadRule load)
{
    FieldDefinition f = Field(setting, intake, load);
    f.reader = &FindStem(setting.setting).rule;
    return f;
}

EditorCopies::EditorCopies(SettingsTables& tables, const SettingsNotices* notices,
                           std::vector<bool SettingsTables::*> sectionFlags)
    : m_tables(tables), m_notices(notices), m_sectionFlags(std::move(sectionFlags))
{
}

int EditorCopies::add(FieldDefinition definition)
{
    if (!definition.sections)
        definition.sections = m_sectionFlags;
    const int count = definition.setting.setting.count(m_tables);
    m_fields.push_back({std::move(definition), TextArray(count), TextArray(count)});
    const int field = fieldCount() - 1;
    for (int i = 1; i <= count; ++i)
        load(field, i);
    return field;
}

const QString& EditorCopies::stored(int field, int i) const
{
    return m_fields.at(field).definition.setting.setting.at(m_tables, i);
}

QString EditorCopies::loadText(int field, int i) const
{
    const LoadRule& load = definition(field).load;
    const QString& text = stored(field, i);
    return load.form ? load.form(text) : intakeOf(field, text);
}

QString EditorCopies::shownText(int field, int i) const
{
    switch (definition(field).load.shown) {
    case LoadRule::Shown::Copy: break;
    case LoadRule::Shown::StoredUntilEdited:
        if (!edited(field, i) && copy(field, i) == loadText(field, i))
            return stored(field, i);
        break;
    case LoadRule::Shown::StoredTrimmed:
        if (copy(field, i) == stored(field, i))
            return stored(field, i).trimmed();
        break;
    }
    return copy(field, i);
}

QString EditorCopies::intakeOf(int field, const QString& text) const { return definition(field).intake(text); }

void EditorCopies::take(int field, int i, const QString& text)
{
    const QString& kept = stored(field, i);
    if (definition(field).load.shown == LoadRule::Shown::StoredTrimmed && text == kept.trimmed())
        setCopy(field, i, kept); // the stored text as the control shows it
    else
        setCopy(field, i, intakeOf(field, text));
}

void EditorCopies::load(int field, int i)
{
    Field& f = m_fields.at(field);
    f.copies[i] = f.bases[i] = loadText(field, i);
    if (f.definition.load.tidiesStore && stored(field, i) != f.copies[i])
        writeQuietly(f.definition.setting, i, f.copies[i]);
}

void EditorCopies::restore(int field, int i)
{
    Field& f = m_fields.at(field);
    f.copies[i] = f.bases[i] = f.definition.load.cancelTakesStored ? stored(field, i) : loadText(field, i);
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

FieldCheck::Mend EditorCopies::repairText(int field, int i, FieldCheck::Repair repair, const QString& previous,
                                const QString& refused) const
{
    switch (repair) {
    case FieldCheck::Repair::Stored: return stored(field, i);
    case FieldCheck::Repair::Zero: return QStringLiteral("0");
    case FieldCheck::Repair::Empty: return QString();
    case FieldCheck::Repair::Previous:
    case FieldCheck::Repair::Undo: return previous;
    case FieldCheck::Repair::Own: return definition(field).check->mend(refused, previous);
    }
    return QString();
}

QString EditorCopies::toStore(int field, int i) const
{
    const IntakeRule form = definition(field).storedForm;
    return form ? form(copy(field, i)) : copy(field, i);
}

bool EditorCopies::unreadable(int field, int i) const
{
    const ValueRule* reader = definition(field).reader;
    return reader && differs(field, i) && !reader->accepts(reader->normalised(toStore(field, i)));
}

namespace {

// What no setting may hold, however it got into the copy.
std::optional<QString> UnstorableText(const QString& text)
{
    if (const std::optional<QString> why = IniDocument::unstorable(text))
        return why;
    if (std::ranges::any_of(text, [](QChar c) { return IsControlCode(c.unicode()); }))
        return QStringLiteral("a control character cannot be stored");
    return std::nullopt;
}

} // namespace

std::vector<EditorCopies::Refused> EditorCopies::refusals() const
{
    std::vector<Refused> out;
    for (int f = 0; f < fieldCount(); ++f) {
        const FieldDefinition& d = definition(f);
        for (int i = 1; i <= count(f); ++i) {
            if (!differs(f, i))
                continue;
            const QString text = toStore(f, i);
            if (std::optional<QString> why = UnstorableText(text)) {
                out.push_back({{f, i}, *why});
            } else if (unreadable(f, i)) {
                // A check made for Apply speaks for whatever the reader
                // refuses, any other only for what it refuses itself ("12ab"
                // passes a range check, and its message would tell of a range
                // it is in).
                const std::optional<FieldCheck>& check = d.check;
                const QString& typed = copy(f, i);
                if (check && (check->when == FieldCheck::When::Apply || check->refuses(typed)))
                    out.push_back({{f, i}, check->speaking(typed).message});
                else
                    out.push_back({{f, i},
                                   QStringLiteral("\"%1\" cannot be stored, because the configuration file could "
                                                  "not read it back")
                                       .arg(typed)});
            } else if (d.gate) {
                if (std::optional<QString> reason = d.gate(text))
                    out.push_back({{f, i}, *reason});
            }
        }
    }
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
    for (const SettingBinding& also : f.definition.alsoFlags)
        also.raiseFlag(m_tables, i);
    raiseSections(field);
    setting.setting.at(m_tables, i) = toStore(field, i);
    if (m_notices)
        m_notices->written(setting.element(i), this);
    return true;
}

void EditorCopies::raiseSections(int field)
{
    for (bool SettingsTables::* flag : *definition(field).sections)
        m_tables.*flag = true;
}

std::vector<FieldElement> EditorCopies::apply()
{
    std::vector<FieldElement> written;
    for (int f = 0; f < fieldCount(); ++f)
        for (int i = 1; i <= count(f); ++i)
            if (store(f, i))
                written.push_back({f, i});
    if (!written.empty())
        m_tables.DataSaved = false;
    return written;
}

void EditorCopies::writeQuietly(const SettingBinding& setting, int i, const QString& value)
{
    setting.setting.at(m_tables, i) = value;
    if (m_notices)
        m_notices->written(setting.element(i), this);
}

bool EditorCopies::tidy(int field, int i)
{
    Field& f = m_fields.at(field);
    const IntakeRule tidy = f.definition.tidy;
    if (!tidy)
        return false;
    if (f.definition.tidiesStored) {
        const QString tidied = tidy(stored(field, i));
        if (tidied != stored(field, i)) {
            // The base follows a copy that was not edited, which stays so.
            const bool wasEdited = edited(field, i);
            writeQuietly(f.definition.setting, i, tidied);
            if (!wasEdited)
                f.bases[i] = tidy(f.bases[i]);
        }
    }
    const QString tidied = tidy(f.copies[i]);
    if (tidied == f.copies[i])
        return false;
    const bool wasEdited = edited(field, i);
    f.copies[i] = tidied;
    if (!wasEdited)
        f.bases[i] = tidied;
    return true;
}

std::optional<FieldElement> EditorCopies::storeNow(const SettingBinding& setting, int index, const QString& value,
                                                   const StorePolicy& policy)
{
    if (setting.setting.at(m_tables, index) != value) {
        if (policy.itemFlag)
            setting.raiseFlag(m_tables, index);
        for (bool SettingsTables::* flag : policy.sections)
            m_tables.*flag = true;
        if (policy.unsaved)
            m_tables.DataSaved = false;
        writeQuietly(setting, index, value);
    }
    const std::optional<FieldElement> own = find(setting.element(index));
    if (own)
        load(own->field, own->index);
    return own;
}
