#include "platform/IniDocument.h"

#include "platform/Latin1Text.h"

#include <QByteArrayView>
#include <optional>

namespace {

const QByteArray& crLf()
{
    static const QByteArray end("\r\n");
    return end;
}

const QByteArray& lf()
{
    static const QByteArray end("\n");
    return end;
}

constexpr QByteArrayView byteOrderMark("\xEF\xBB\xBF");

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Only blanks and tabs: any other byte belongs to the name or the value.
QByteArrayView trimBlanks(QByteArrayView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
    return text.sliced(from, to - from);
}

// A caller's name as the index holds it; nothing for a name no line can hold.
std::optional<QByteArray> indexName(const QString& name)
{
    if (FirstOutsideLatin1(name))
        return std::nullopt;
    return trimBlanks(name.toLatin1()).toByteArray().toLower();
}

// The name of a key line (already trimmed); empty for a comment or any other line.
QByteArrayView keyName(QByteArrayView body)
{
    if (body.isEmpty() || body[0] == ';' || body[0] == '#')
        return {};
    const qsizetype equals = body.indexOf('=');
    return equals < 0 ? QByteArrayView() : trimBlanks(body.first(equals));
}

// The name a section header gives (trimmed); nothing for any other line.
std::optional<QByteArrayView> headerName(QByteArrayView body)
{
    if (!body.startsWith('['))
        return std::nullopt;
    const qsizetype close = body.indexOf(']');
    if (close <= 0)
        return std::nullopt;
    return trimBlanks(body.sliced(1, close - 1));
}

} // namespace

IniDocument IniDocument::parse(const QByteArray& bytes)
{
    IniDocument document;
    QByteArrayView rest(bytes);
    if (rest.startsWith(byteOrderMark)) {
        document.m_byteOrderMark = true;
        rest = rest.sliced(byteOrderMark.size());
    }
    const qsizetype firstEnd = rest.indexOf('\n');
    if (firstEnd >= 0 && (firstEnd == 0 || rest[firstEnd - 1] != '\r'))
        document.m_lineEnd = lf();

    // A lone CR ends a line too, as text editors show it: a value never holds a
    // line break, which would end a command line early on its way to the controller.
    while (!rest.isEmpty()) {
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r')
            ++end;
        if (end == rest.size()) {
            document.addLine(rest.toByteArray(), QByteArray());
            break;
        }
        const QByteArrayView lineEnd = rest.sliced(end).startsWith("\r\n") ? QByteArrayView(crLf())
                                                                          : rest.sliced(end, 1);
        document.addLine(rest.first(end).toByteArray(), lineEnd.toByteArray());
        rest = rest.sliced(end + lineEnd.size());
    }
    return document;
}

void IniDocument::addLine(QByteArray text, QByteArray end)
{
    const QByteArrayView body = trimBlanks(text);
    if (const auto header = headerName(body)) {
        m_index.try_emplace(header->toByteArray().toLower(), int(m_sections.size()));
        appendSection(*header, {std::move(text), std::move(end)});
        return;
    }
    const QByteArray name = keyName(body).toByteArray().toLower();
    Section& section = m_sections.back();
    const int line = int(section.lines.size());
    section.lines.push_back({std::move(text), std::move(end)});
    // Keys above the first header belong to no section.
    if (name.isEmpty() || m_sections.size() == 1)
        return;
    section.keys.try_emplace(name, line);
    section.lastKeyLine = line;
}

QByteArray IniDocument::serialise() const
{
    qsizetype size = m_byteOrderMark ? byteOrderMark.size() : 0;
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines)
            size += line.text.size() + line.end.size();
    }
    QByteArray bytes;
    bytes.reserve(size);
    if (m_byteOrderMark)
        bytes.append(byteOrderMark);
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines)
            bytes.append(line.text).append(line.end);
    }
    return bytes;
}

bool IniDocument::isBlank() const
{
    if (m_sections.size() > 1)
        return false;
    for (const Line& line : m_sections[0].lines) {
        if (!trimBlanks(line.text).isEmpty())
            return false;
    }
    return true;
}

QStringList IniDocument::sectionNames() const
{
    QStringList names;
    for (std::size_t i = 1; i < m_sections.size(); ++i)
        names << m_sections[i].name;
    return names;
}

QString IniDocument::read(const QString& section, const QString& key) const
{
    const auto sectionName = indexName(section);
    const auto name = indexName(key);
    if (!sectionName || !name)
        return {};
    const auto found = m_index.find(*sectionName);
    if (found == m_index.end())
        return {};
    const Section& part = m_sections[found->second];
    const auto line = part.keys.find(*name);
    if (line == part.keys.end())
        return {};
    const QByteArray& text = part.lines[line->second].text;
    const QByteArrayView value = trimBlanks(QByteArrayView(text).sliced(text.indexOf('=') + 1));
    return value == "Default" ? QString() : QString::fromLatin1(value);
}

Status IniDocument::write(const QString& section, const QString& key, const QString& value)
{
    return write({ProfileEntry{section, key, value}});
}

std::optional<QString> IniDocument::unstorable(const QString& text)
{
    if (text.contains(u'\n') || text.contains(u'\r'))
        return QStringLiteral("a line break cannot be stored");
    if (FirstOutsideLatin1(text))
        return OutsideLatin1Reason;
    return std::nullopt;
}

Status IniDocument::write(const std::vector<ProfileEntry>& entries)
{
    std::vector<Encoded> encoded;
    encoded.reserve(entries.size());
    for (const ProfileEntry& entry : entries) {
        const auto refuse = [&entry](const QString& why) {
            return Status::failure(QStringLiteral("Cannot store \"%1\" in [%2]: %3").arg(entry.key, entry.section, why));
        };
        for (const QString* text : {&entry.section, &entry.key, &entry.value})
            if (const std::optional<QString> why = unstorable(*text))
                return refuse(*why);
        Encoded e{trimBlanks(entry.section.toLatin1()).toByteArray(),
                  trimBlanks(entry.key.toLatin1()).toByteArray(), entry.value.toLatin1()};
        if (e.section.isEmpty() || e.section.contains(']'))
            return refuse(QStringLiteral("a section name must not be empty or hold \"]\""));
        if (e.key.isEmpty() || e.key.contains('=') || QByteArrayView("[;#").contains(e.key[0]))
            return refuse(QStringLiteral("a key name must not be empty, hold \"=\" or begin with \"[\", \";\" or \"#\""));
        encoded.push_back(std::move(e));
    }
    for (const Encoded& e : encoded)
        store(e);
    return Status::success();
}

void IniDocument::store(const Encoded& entry)
{
    const QByteArray sectionName = entry.section.toLower();
    auto found = m_index.find(sectionName);
    if (found == m_index.end()) {
        if (Line* last = lastLine(); last && last->end.isEmpty())
            last->end = m_lineEnd;
        found = m_index.emplace(sectionName, int(m_sections.size())).first;
        appendSection(entry.section, {'[' + entry.section + ']', m_lineEnd});
    }
    Section& section = m_sections[found->second];
    const QByteArray name = entry.key.toLower();
    if (const auto line = section.keys.find(name); line != section.keys.end()) {
        // Keep the name as the file spells it; the value follows "=" verbatim,
        // so a value that begins with a blank never gathers more on rewrites.
        QByteArray& text = section.lines[line->second].text;
        text = text.left(text.indexOf('=') + 1) + entry.value;
        return;
    }
    const int at = section.lastKeyLine + 1;
    insertLine(section, at, entry.key + '=' + entry.value);
    section.keys.emplace(name, at);
    section.lastKeyLine = at;
}

void IniDocument::appendSection(QByteArrayView name, Line header)
{
    Section& section = m_sections.emplace_back();
    section.name = QString::fromLatin1(name);
    section.lines.push_back(std::move(header));
}

// Only non-key lines follow `at`, so no index into the section moves.
void IniDocument::insertLine(Section& section, int at, QByteArray text)
{
    Line& before = section.lines[at - 1];
    if (before.end.isEmpty())
        before.end = m_lineEnd;
    section.lines.insert(section.lines.begin() + at, Line{std::move(text), m_lineEnd});
}

IniDocument::Line* IniDocument::lastLine()
{
    for (auto section = m_sections.rbegin(); section != m_sections.rend(); ++section) {
        if (!section->lines.empty())
            return &section->lines.back();
    }
    return nullptr;
}
