#pragma once

#include "platform/Profile.h"
#include "platform/Status.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

// An INI file held in memory. Every line that is not touched by a write is
// serialised back byte for byte: comments, blank lines, garbage, its own line
// end and a leading byte-order mark. Bytes are Latin-1 text.
//
// Section and key names match without regard to ASCII letter case, blanks and
// tabs around names and values are dropped on reading, and of a duplicated
// section or key the first one counts.
class IniDocument {
public:
    // An empty document; its lines will end in CR LF.
    IniDocument() = default;
    static IniDocument parse(const QByteArray& bytes);
    QByteArray serialise() const;

    // Nothing but blanks, tabs and line ends (and a byte-order mark).
    bool isBlank() const;
    // The names of the section headers, blanks around them dropped, in file order.
    QStringList sectionNames() const;

    // A missing section or key, an empty value and the exact text "Default" read as "".
    QString read(const QString& section, const QString& key) const;

    // An existing key is replaced in place, a new key goes right after the last
    // key of its section, a new section at the end. All entries are stored or,
    // when one cannot be (a line break, a character outside Latin-1, a name that
    // would not read back), none is.
    Status write(const std::vector<ProfileEntry>& entries);
    Status write(const QString& section, const QString& key, const QString& value);
    // Why a section, key or value cannot be stored (a line break, a character
    // outside Latin-1); nothing when it can.
    static std::optional<QString> unstorable(const QString& text);

private:
    struct Line {
        QByteArray text;
        QByteArray end; // "\r\n", "\n", a lone "\r", or empty for a last line without one
    };
    // Qt's seeded hash of a byte array is slow on some processors, and a local
    // file needs no defence against chosen collisions.
    struct NameHash {
        std::size_t operator()(const QByteArray& name) const
        {
            return std::hash<std::string_view>()(std::string_view(name.constData(), size_t(name.size())));
        }
    };
    using NameIndex = std::unordered_map<QByteArray, int, NameHash>;

    struct Section {
        QString name; // as the header gives it, blanks around it dropped
        std::vector<Line> lines; // lines[0] is the header, but in the part before the first header
        NameIndex keys; // lower-cased name to line, first one wins
        int lastKeyLine = 0;
    };
    struct Encoded {
        QByteArray section, key, value;
    };

    void addLine(QByteArray text, QByteArray end);
    // A new last section, its header line giving `name` (trimmed).
    void appendSection(QByteArrayView name, Line header);
    void store(const Encoded& entry);
    void insertLine(Section& section, int at, QByteArray text);
    Line* lastLine();

    std::vector<Section> m_sections = std::vector<Section>(1); // [0]: lines before the first header
    NameIndex m_index; // lower-cased section name to m_sections, first one wins
    QByteArray m_lineEnd = "\r\n";
    bool m_byteOrderMark = false;
};
