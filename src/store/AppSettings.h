#pragma once

#include "platform/Status.h"

#include <QString>
#include <optional>

class Profile;
struct SettingsTables;

// A window's place in the settings file, in twips as the file has always held
// it. A key that is missing or holds no number is left out, and the window
// keeps its own size or place for it.
struct WindowGeometry {
    std::optional<double> width, height, top, left;
    std::optional<int> state; // 0 normal, 1 minimised, 2 maximised
};

inline constexpr int TwipsPerPixel = 15;
inline constexpr int MaxDelayMs = 60000;

WindowGeometry ReadWindowGeometry(Profile& profile, const QString& iniFile, const QString& section);
Status WriteWindowGeometry(Profile& profile, const QString& iniFile, const QString& section,
                           const WindowGeometry& geometry);

// The transport choice and the delays of [Main], as start-up takes them: the
// number each value begins with; a missing key or no number gives 0, a port
// outside 0..8 gives 0, and delays are held within 0..60000 ms.
void ReadTransportSettings(SettingsTables& tables, Profile& profile, const QString& iniFile);

// A delay typed by the user or read from the file, as the whole number of
// milliseconds that is safe to wait.
int DelayMs(const QString& text);
