#include "download/MemoryFile.h"

#include "download/CanonicalDecimal.h"
#include "store/TextHelpers.h"

#include <QFile>
#include <QList>

namespace {

const QString NothingChanged = QStringLiteral(" Nothing was changed.");

// The lines of the file; a line feed that ends the last one opens no line.
// A carriage return before the line feed belongs to the line end.
QList<QByteArrayView> splitLines(QByteArrayView text)
{
    QList<QByteArrayView> lines;
    while (!text.isEmpty()) {
        const qsizetype end = text.indexOf('\n');
        QByteArrayView line = end < 0 ? text : text.first(end);
        text = end < 0 ? QByteArrayView() : text.sliced(end + 1);
        while (line.endsWith('\r'))
            line.chop(1);
        lines.append(line);
    }
    return lines;
}

} // namespace

// A record as the message shows it: control characters as "?", a long
// line cut short.
QString ShownRecord(QByteArrayView line)
{
    constexpr qsizetype Longest = 40;
    QString text;
    for (const char c : line.first(qMin(line.size(), Longest)))
        text += IsControlCode(static_cast<unsigned char>(c)) ? QChar(u'?') : QChar(static_cast<unsigned char>(c));
    if (line.size() > Longest)
        text += QStringLiteral("...");
    return text;
}

std::optional<int> RecordValue(QByteArrayView line, int address)
{
    const qsizetype comma = line.indexOf(',');
    if (comma < 0 || CanonicalDecimal(line.first(comma), MemoryImageSize - 1) != address)
        return std::nullopt;
    return CanonicalDecimal(line.sliced(comma + 1), 255);
}


Status CheckMemoryFile(QByteArrayView text, MemoryImage& image)
{
    const QList<QByteArrayView> lines = splitLines(text);
    if (lines.size() != MemoryImageSize)
        return Status::failure(QStringLiteral("The memory file holds %1 records; a complete download holds %2.")
                                   .arg(lines.size())
                                   .arg(MemoryImageSize)
                               + NothingChanged);
    MemoryImage checked{};
    for (int address = 0; address < MemoryImageSize; ++address) {
        const auto value = RecordValue(lines[address], address);
        if (!value)
            return Status::failure(QStringLiteral("Line %1 of the memory file is not the record of address %2 (\"%3\").")
                                       .arg(address + 1)
                                       .arg(address)
                                       .arg(ShownRecord(lines[address]))
                                   + NothingChanged);
        checked[address] = static_cast<quint8>(*value);
    }
    image = checked;
    return Status::success();
}

Status ReadMemoryFile(const QString& path, MemoryImage& image)
{
    QFile file(path);
    const auto unreadable = [&] {
        return Status::failure(QStringLiteral("The memory file %1 cannot be read: %2.").arg(path, file.errorString())
                               + NothingChanged);
    };
    if (!file.open(QIODevice::ReadOnly))
        return unreadable();
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return unreadable();
    return CheckMemoryFile(text, image);
}
