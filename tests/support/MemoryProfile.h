#pragma once

#include "platform/IniDocument.h"
#include "platform/Profile.h"

#include <QByteArray>
#include <QHash>

// INI files held in memory under the real document's rules. Writes can be made
// to fail, and every store of a file is counted.
class MemoryProfile final : public Profile {
public:
    QString read(const QString& file, const QString& section, const QString& key) override;
    ProfileOutline outline(const QString& file) override;
    Status write(const QString& file, const QString& section, const QString& key,
                 const QString& value) override;
    Status writeBatch(const QString& file, const std::vector<ProfileEntry>& entries) override;

    // A missing file has no bytes.
    QByteArray bytes(const QString& file) const;
    void setBytes(const QString& file, const QByteArray& bytes);

    // Every write from now on fails with `Cannot write "<file>": <reason>` and
    // changes nothing; an empty reason lets writes through again.
    void setFailWrites(QString reason) { m_failReason = std::move(reason); }
    // Stores that reached a file; one batch is one store.
    int writeCount() const { return m_writeCount; }

private:
    struct File {
        QByteArray bytes;
        IniDocument document;
    };

    QHash<QString, File> m_files;
    QString m_failReason;
    int m_writeCount = 0;
};
