#pragma once

#include "platform/Status.h"

#include <QByteArray>
#include <QString>

// Synchronous sound: each call returns once the sound has played, or with the
// reason it could not (no audio device, a bad file).
class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    virtual Status playWav(const QByteArray& wavImage) = 0;
    virtual Status playFile(const QString& path) = 0;
    virtual void stop() = 0;
};
