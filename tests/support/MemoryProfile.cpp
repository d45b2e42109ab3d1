#include "MemoryProfile.h"

QString MemoryProfile::read(const QString& file, const QString& section, const QString& key)
{
    const auto found = m_files.constFind(file);
    return found == m_files.cend() ? QString() : found->document.read(section, key);
}

ProfileOutline MemoryProfile::outline(const QString& file)
{
    const auto found = m_files.constFind(file);
    if (found == m_files.cend())
        return {};
    return {Status::success(), found->document.isBlank(), found->document.sectionNames()};
}

Status MemoryProfile::write(const QString& file, const QString& section, const QString& key,
                            const QString& value)
{
    return writeBatch(file, {ProfileEntry{section, key, value}});
}

Status MemoryProfile::writeBatch(const QString& file, const std::vector<ProfileEntry>& entries)
{
    if (entries.empty())
        return Status::success();
    if (!m_failReason.isEmpty())
        return Status::failure(QStringLiteral("Cannot write \"%1\": %2").arg(file, m_failReason));
    const auto found = m_files.constFind(file);
    IniDocument document = found == m_files.cend() ? IniDocument() : found->document;
    if (Status stored = document.write(entries); !stored)
        return stored;
    const QByteArray bytes = document.serialise();
    m_files.insert(file, File{bytes, std::move(document)});
    ++m_writeCount;
    return Status::success();
}

QByteArray MemoryProfile::bytes(const QString& file) const
{
    const auto found = m_files.constFind(file);
    return found == m_files.cend() ? QByteArray() : found->bytes;
}

void MemoryProfile::setBytes(const QString& file, const QByteArray& bytes)
{
    m_files.insert(file, File{bytes, IniDocument::parse(bytes)});
}
