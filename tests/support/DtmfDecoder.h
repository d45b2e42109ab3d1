#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// Two independent readings of the DTMF keys in a 16-bit PCM WAV image.

// The keys a real decoder, multimon-ng, hears, in order. Fails the test when
// the decoder cannot be run.
QStringList DecodeDtmf(const QByteArray& wav);

// A tone pair found by level and identified with Goertzel filters on the
// first channel; key is '?' when no single row and column tone stands out.
struct DtmfTone {
    char key;
    double startMs;
    double lengthMs;
};
QList<DtmfTone> FindDtmfTones(const QByteArray& wav);
