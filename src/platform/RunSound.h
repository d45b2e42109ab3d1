#pragma once

#include "platform/Status.h"

#include <QByteArray>
#include <QString>

struct WavSound;

// A sound made fit for a keyed run's stream: its channels mixed into one,
// resampled to the run's rate (averaged over each run frame when the source
// is faster, interpolated when it is slower), both channels the same, 16
// bits. The run lasts as long as the source, to the run frame.
QByteArray RunImageOf(const WavSound& sound);

// Reads a WAV file and makes its sound fit for a keyed run. A file that
// cannot be read, is no WAV file or holds no sound fails, naming the file
// and the reason.
Status ReadRunSound(const QString& path, QByteArray& runImage);
