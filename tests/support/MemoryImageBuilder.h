#pragma once

#include "download/MemoryImage.h"

#include <QByteArray>

struct SettingsTables;

// The memory image a controller holding the configuration would give: every
// field of the parser's layout written by the inverse of its encoding, the
// skipped blocks left 0. A value the field cannot carry (too long, a word or
// name outside the tables) throws std::invalid_argument.
MemoryImage BuildMemoryImage(const SettingsTables& tables);
// The memory file a download writes of the image: "address,value" lines.
QByteArray MemoryFileText(const MemoryImage& image);
