#pragma once

#include "CaptureSound.h"
#include "DtmfDecoder.h"
#include "FakeLinkRig.h"
#include "link/DtmfPlayer.h"

// The DTMF players over a sound output that renders every run, in DTMF mode,
// with codes that tell the frame's parts apart.
struct DtmfRig : FakeLinkRig {
    DtmfRig()
    {
        tables.ComPortValue = "0";
        tables.CurrentPortUnlock[1] = "123";
        tables.CurrentPortUnlock[2] = "456";
        tables.CurrentPortUnlock[3] = "789";
        tables.CurrentLock = "0";
        tables.Terminator = "D";
        tables.CurrentTerminator = "D";
    }

    // The keys the real decoder hears in everything played so far.
    QString heard() const { return DecodeDtmf(sound.wav()).join(QString()); }
    // True while the transmitter's line is up.
    bool keyed() const { return port.isOpen() && (port.dtr() || port.rts()); }

    CaptureSound sound{&clock};
    DtmfPlayer player{tables, sound, link};
};
