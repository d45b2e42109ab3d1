#pragma once

#include "platform/Status.h"

#include <QString>

class Profile;

// Whether a file may be read as a configuration file: one that holds at least
// one section of the configuration, or nothing at all (it reads as the
// defaults, as a missing file does). Any other file would read as every value
// refused, and the save urged next would overwrite it. The failure names the
// file and why.
Status CheckDatFile(Profile& profile, const QString& file);

// The path a save writes: ".dat" after a file name typed without an
// extension (or with an empty one: "mine." gives "mine.dat"), so that the
// file shows in the open dialog's filter.
QString WithDatExtension(const QString& path);
