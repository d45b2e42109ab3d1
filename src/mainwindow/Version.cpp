#include "mainwindow/Version.h"

QString VersionText() { return QStringLiteral("Version ") + QStringLiteral(TARVEX_VERSION); }
