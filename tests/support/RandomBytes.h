#pragma once

#include <QByteArray>
#include <QRandomGenerator>

// Bytes no program meant as a configuration: a file picked by mistake. The
// same seed gives the same bytes on every run.
inline QByteArray RandomBytes(qsizetype size, quint32 seed = 1)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}
