#include "store/ConfigurationFile.h"

#include "platform/Profile.h"
#include "store/KeyRegistry.h"
#include "store/TextHelpers.h"

#include <QDir>

namespace {

bool isConfigurationSection(const QString& name)
{
    static const QStringList sections = [] {
        QStringList names;
        for (const KeyStem& stem : KeyRegistry()) {
            if (!names.contains(stem.section))
                names << stem.section;
        }
        return names;
    }();
    // Sections match as the profile matches them when reading keys.
    return sections.contains(name, Qt::CaseInsensitive);
}

} // namespace

Status CheckDatFile(Profile& profile, const QString& file)
{
    ProfileOutline outline = profile.outline(file);
    if (!outline.readable)
        return std::move(outline.readable);
    if (outline.blank)
        return Status::success();
    for (const QString& name : outline.sections) {
        if (isConfigurationSection(name))
            return Status::success();
    }
    return Status::failure(
        QStringLiteral("\"%1\" is not a configuration file: it holds none of the configuration's sections.")
            .arg(QDir::toNativeSeparators(file)));
}

QString WithDatExtension(const QString& path)
{
    const QString name = GetFileName(path);
    // A leading dot marks a hidden file, not an extension; after a trailing
    // dot the extension is empty, which is none.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && dot < name.size() - 1)
        return path;
    qsizetype trailingDots = 0;
    while (trailingDots < name.size() - 1 && name[name.size() - 1 - trailingDots] == QLatin1Char('.'))
        ++trailingDots;
    return path.chopped(trailingDots) + QStringLiteral(".dat");
}
