#include "store/AppSettings.h"

#include "platform/Profile.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

#include <cmath>

namespace {

const QString Main = QStringLiteral("Main");

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString portNumber(const QString& text)
{
    const double value = LeadingNumber(text);
    if (value < 0 || value > 8 || value != std::floor(value))
        return QStringLiteral("0");
    return QString::number(static_cast<int>(value));
}

QString text(double value) { return QString::number(value, 'g', 10); }

} // namespace

int DelayMs(const QString& text)
{
    const double value = std::round(LeadingNumber(text));
    if (!(value > 0))
        return 0;
    return value > MaxDelayMs ? MaxDelayMs : static_cast<int>(value);
}

WindowGeometry ReadWindowGeometry(Profile& profile, const QString& iniFile, const QString& section)
{
    auto read = [&](const char* key) { return number(profile.read(iniFile, section, QString::fromLatin1(key))); };
    WindowGeometry g;
    g.width = read("Window Width");
    g.height = read("Window Height");
    g.top = read("Window Top");
    g.left = read("Window Left");
    if (auto state = read("Window State"); state && *state >= 0 && *state <= 2)
        g.state = static_cast<int>(*state);
    return g;
}

Status WriteWindowGeometry(Profile& profile, const QString& iniFile, const QString& section,
                           const WindowGeometry& g)
{
    std::vector<ProfileEntry> entries;
    auto add = [&](const char* key, const std::optional<double>& value) {
        if (value)
            entries.push_back({section, QString::fromLatin1(key), text(*value)});
    };
    add("Window Width", g.width);
    add("Window Height", g.height);
    add("Window Top", g.top);
    add("Window Left", g.left);
    if (g.state)
        entries.push_back({section, QStringLiteral("Window State"), QString::number(*g.state)});
    return profile.writeBatch(iniFile, entries);
}

void ReadTransportSettings(SettingsTables& t, Profile& profile, const QString& iniFile)
{
    auto read = [&](const char* key) { return profile.read(iniFile, Main, QString::fromLatin1(key)); };
    t.DTMFDelayValue = QString::number(DelayMs(read("DTMFDelay")));
    t.KeyUpDelayValue = QString::number(DelayMs(read("TxTemp")));
    t.PTTLine = LeadingNumberText(read("WhichSend"));
    t.ComPortValue = portNumber(read("ComPort"));
    t.DTMFComPortValue = portNumber(read("DTMFComPort"));
    t.SerialDelayValue = DelayMs(read("SerialDelay"));
}
