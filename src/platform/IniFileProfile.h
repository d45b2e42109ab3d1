#pragma once

#include "platform/Clock.h"
#include "platform/IniDocument.h"
#include "platform/Profile.h"

#include <QDateTime>
#include <QHash>
#include <memory>

// The profile on disk. A file is parsed once and its document kept until the
// file's size or times change behind it. Every write has reached the disk
// when it returns, through a temporary file renamed over the old one, so a
// failed write leaves the old file whole. A symbolic link is written through.
//
// Looking at a file is a system call, and one per read costs more than the
// whole parse, so a read looks again only once the clock has moved on since
// the last look (at most once a millisecond). A write always looks first, so
// it never builds on a stale copy.
class IniFileProfile final : public Profile {
public:
    IniFileProfile(); // on the system clock
    explicit IniFileProfile(const Clock& clock);
    ~IniFileProfile() override;

    QString read(const QString& file, const QString& section, const QString& key) override;
    ProfileOutline outline(const QString& file) override;
    Status write(const QString& file, const QString& section, const QString& key,
                 const QString& value) override;
    Status writeBatch(const QString& file, const std::vector<ProfileEntry>& entries) override;

private:
    // What tells that a file changed (or appeared, or went) behind the cache.
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const Stamp&) const = default;
    };
    struct Cached {
        Stamp stamp;
        IniDocument document;
        QString readError; // a file that exists but cannot be read is never overwritten
        std::int64_t checkedAt = 0;
    };

    static Stamp stampOf(const QString& file);
    const Cached& load(const QString& file, bool forWrite);

    std::unique_ptr<Clock> m_ownClock;
    const Clock& m_clock;
    QHash<QString, Cached> m_cache;
};
