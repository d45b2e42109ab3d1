#pragma once

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

    DtmfPlayer& player = controller.player();
};

// A rig whose transmitter is keyed by the DTR line of COM3, counting the
// sound played while it was not keyed.
struct KeyedDtmfRig : DtmfRig {
    KeyedDtmfRig()
    {
        tables.DTMFComPortValue = "3";
        tables.PTTLine = "1";
        clock.onSleep([this](int ms) {
            if (!port.keyed())
                unkeyedMs += ms;
        });
    }

    int unkeyedMs = 0;
};
