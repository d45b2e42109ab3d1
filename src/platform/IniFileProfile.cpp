#include "platform/IniFileProfile.h"

#include "platform/SystemClock.h"
#include "platform/WholeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace {

QString cannot(const char* what, const QString& file, const QString& why)
{
    return QStringLiteral("Cannot %1 \"%2\": %3")
        .arg(QLatin1String(what), QDir::toNativeSeparators(file), why);
}

// The file a write replaces: through a symbolic link, so the link stays a link.
QString writeTarget(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isSymLink())
        return file;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.symLinkTarget() : target; // a dangling link names the file to create
}

// Clearing the write bits is how a user protects a file. The rename would
// replace it anyway (from a writable folder, or as root), so check the bits.
bool isReadOnly(const QFileInfo& info)
{
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

Status save(const QString& file, const QByteArray& bytes)
{
    const QString target = writeTarget(file);
    const QFileInfo info(target);
    if (info.exists() && isReadOnly(info))
        return Status::failure(cannot("write", file, qt_error_string(EACCES)));
    // Nothing at the target changes unless commit() succeeds; commit syncs
    // the temporary file before renaming it, and keeps the old permissions.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Status::failure(cannot("write", file, out.errorString()));
    if (const Status written = CommitWhole(out, bytes); !written)
        return Status::failure(cannot("write", file, written.reason()));
    return Status::success();
}

} // namespace

IniFileProfile::IniFileProfile() : m_ownClock(std::make_unique<SystemClock>()), m_clock(*m_ownClock) {}

IniFileProfile::IniFileProfile(const Clock& clock) : m_clock(clock) {}

IniFileProfile::~IniFileProfile() = default;

QString IniFileProfile::read(const QString& file, const QString& section, const QString& key)
{
    return load(file, false).document.read(section, key);
}

ProfileOutline IniFileProfile::outline(const QString& file)
{
    const Cached& cached = load(file, false);
    if (!cached.readError.isEmpty())
        return {Status::failure(cached.readError), false, {}};
    return {Status::success(), cached.document.isBlank(), cached.document.sectionNames()};
}

Status IniFileProfile::write(const QString& file, const QString& section, const QString& key,
                             const QString& value)
{
    return writeBatch(file, {ProfileEntry{section, key, value}});
}

Status IniFileProfile::writeBatch(const QString& file, const std::vector<ProfileEntry>& entries)
{
    if (entries.empty())
        return Status::success();
    const Cached& cached = load(file, true);
    if (!cached.readError.isEmpty())
        return Status::failure(cached.readError);
    IniDocument document = cached.document;
    if (Status stored = document.write(entries); !stored)
        return stored;
    if (Status saved = save(file, document.serialise()); !saved)
        return saved; // the cached document still matches the untouched file
    m_cache.insert(file, Cached{stampOf(file), std::move(document), {}, m_clock.elapsedMs()});
    return Status::success();
}

IniFileProfile::Stamp IniFileProfile::stampOf(const QString& file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified(), info.metadataChangeTime()};
}

const IniFileProfile::Cached& IniFileProfile::load(const QString& file, bool forWrite)
{
    const std::int64_t now = m_clock.elapsedMs();
    const auto found = m_cache.find(file);
    if (found != m_cache.end() && !forWrite && found->checkedAt == now)
        return *found;
    // Stamp first: a change while reading makes the next stamp differ.
    const Stamp stamp = stampOf(file);
    if (found != m_cache.end() && found->stamp == stamp) {
        found->checkedAt = now;
        return *found;
    }
    Cached fresh{stamp, {}, {}, now};
    if (stamp.exists) {
        QFile in(file);
        QByteArray bytes;
        if (in.open(QIODevice::ReadOnly))
            bytes = in.readAll();
        if (in.error() == QFileDevice::NoError)
            fresh.document = IniDocument::parse(bytes);
        else
            fresh.readError = cannot("read", file, in.errorString());
    }
    return *m_cache.insert(file, std::move(fresh));
}
