#pragma once

#include <QString>

// The main window's caption for a configuration file: the whole path when it
// is short, else its first 20 characters, "....", the separator and the file name.
QString MainWindowTitle(const QString& path);
