#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Latin-1 is what the configuration file and the serial line carry: a
// character it has no byte for would be changed on the way, so it is refused.

// Why a text holding such a character is refused.
inline const QString OutsideLatin1Reason = QStringLiteral("the text holds a character outside Latin-1");

// The first character of the text that Latin-1 cannot hold (a character
// beyond the first plane whole), if any.
std::optional<QString> FirstOutsideLatin1(QStringView text);
