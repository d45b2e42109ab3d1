#include "mainwindow/MainSettings.h"

#include "store/AppContext.h"
#include "mainwindow/Version.h"
#include "platform/Dialogs.h"

namespace {
const QString Main = QStringLiteral("Main");
}

bool ReportSettingsWrite(AppContext& context, const Status& written)
{
    if (!written)
        context.dialogs.message(ProgramName,
                                QStringLiteral("The settings file could not be written.\n") + written.reason(),
                                Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
    return written.ok();
}

bool WriteMainKeys(AppContext& context, const std::vector<ProfileEntry>& entries)
{
    return ReportSettingsWrite(context, context.profile.writeBatch(context.settingsFile, entries));
}

bool WriteMainKey(AppContext& context, const QString& key, const QString& value)
{
    return WriteMainKeys(context, {{Main, key, value}});
}

QString ReadMainKey(AppContext& context, const QString& key)
{
    return context.profile.read(context.settingsFile, Main, key);
}

QString WithLeadingBlank(int number)
{
    return number >= 0 ? QStringLiteral(" ") + QString::number(number) : QString::number(number);
}
