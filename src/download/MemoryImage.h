#pragma once

#include <QtGlobal>
#include <array>

// The controller's 4 KB memory, one byte per address, as a download reads it.
inline constexpr int MemoryImageSize = 4096;
using MemoryImage = std::array<quint8, MemoryImageSize>;
