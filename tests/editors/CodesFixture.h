#pragma once

#include "DtmfDecoder.h"
#include "EditorFixture.h"
#include "link/ControllerLink.h"

#include <deque>

// The access codes and autopatch settings of a small configuration, its
// [Unlock] section in a file, and the controller link over an in-process
// port whose command lines are answered from a script (none left: silence),
// in serial mode on COM2. DTMF mode keys the transmitter on COM3's DTR line.
struct CodesFixture : EditorFixture {
    static inline const QString File = QStringLiteral("codes.dat");

    FakeSerialPort port{&clock};
    ControllerLink link{tables, port, sound, dialogs, clock};
    std::deque<QByteArray> answers;
    int unkeyedMs = 0; // DTMF sound played with the transmitter down

    CodesFixture()
    {
        tables.ComPortValue = "2";
        tables.DTMFComPortValue = "3";
        tables.PTTLine = "1";
        tables.CurrentPortUnlock[1] = "123";
        tables.CurrentPortUnlock[2] = "456";
        tables.CurrentPortUnlock[3] = "789";
        tables.CurrentLock = tables.Lock = "0";
        tables.Terminator = tables.CurrentTerminator = "D";
        tables.CommandPrefix = "48315";
        tables.DTMFPort = "1";
        tables.DTMFSpeech = "0";
        tables.APPrefix = "A1";
        tables.AnswerCode = "6093";
        tables.RingNumber = "2";
        tables.APTimeOut = "120";
        tables.EnablePatch = "1";
        tables.PatchMute = "1";
        tables.DTMFTestPrefix = "98";
        tables.PreAccessPrefix = "0";
        tables.PreProgramPrefix = "0";
        tables.MacroSubset = "0";
        tables.MacroSubsetEnable = "0";
        tables.DTMFMuteDigitSelect = "1";
        tables.CurrentDatFile = File;
        tables.DataSaved = true;
        profile.setBytes(File, "[Unlock]\r\nCurrentPortUnlock(1)=123\r\nCurrentPortUnlock(2)=456\r\n"
                               "CurrentPortUnlock(3)=789\r\nLock=0\r\nTerminator=D\r\n");
        port.setResponder([this](const QByteArray& written) {
            if (!written.endsWith('\r') || answers.empty())
                return;
            port.queueReply(answers.front());
            answers.pop_front();
        });
        clock.onSleep([this](int ms) {
            if (link.dtmfMode() && !port.keyed())
                unkeyedMs += ms;
        });
    }

    void dtmfMode() { tables.ComPortValue = "0"; }
    // The keys multimon-ng hears in everything played so far.
    QString heard() const { return DecodeDtmf(sound.wav()).join(QString()); }
    // The command lines written, without their carriage returns.
    QStringList lines() const
    {
        QStringList out = QString::fromLatin1(port.written()).split(u'\r');
        out.removeLast();
        return out;
    }
    QString fileKey(const QString& key) { return profile.read(File, QStringLiteral("Unlock"), key); }
};
