#pragma once

#include "link/UploadStep.h"

#include <vector>

// The commands both uploads send, one row each: the setting's name, its
// changed flag, its command, the port that unlocks it and when its flag is
// cleared. Each upload lays the rows out in its own order (UploadOrder.h).
enum class StepId {
    // One for each port, unlocked by that port. General timer n goes with port n.
    HangTime, TimeOut, IIDTime, PIDTime, InActiveTime, InActivityMacro, DTMFTime, CTCSSTime, KerchunkTime,
    IDSpeakTime, AnnounceTime, AuxTime, GeneralTimer, GeneralTimerMacro,
    VoiceID1, VoiceID2, VoiceID3, CWID1, CWID2, CWSpeed, CWTones,
    ID1Extras, ID2Extras, ID3Extras, SpeechEnable,
    PortUnlock, TxEnable, RxEnable, FDup, PLAccess, DTMFEnable, DTMFNeedPL, DTMFMute, DTMFCovertone, MonMix,
    Kerchunk, SpeechOverride, SpeechIDOverride, CTCSSCT, CTCSSID, TailMessageNum, TailMessages, TailCounter,
    PLEncodePolarity, COSClose,

    // One for each tone of each port.
    CourtesySegment1, CourtesySegment2, CourtesySegment3, CourtesySegment4,

    // Once, unlocked by port 1.
    FanTime, FanSelect, XmtDelay, TimeoutLink, SayYear, TwentyFour, SayHour, ClockCorrection, Vref,
    RadioType, YaesuType, RemoteBasePrefix, CommandPrefix, DTMFPort, DTMFSpeech, APPrefix, AnswerCode,
    RingNumber, APTimeOut, EnablePatch, PatchMute, DTMFTestPrefix, PreAccessPrefix, PreProgramPrefix,
    MacroSubset, MacroSubsetEnable, DTMFMuteDigitSelect, DTMFDur, DTMFDelay, AllowTerminatorSpeech,

    // One for each item, unlocked by port 1.
    SetPoint, Meter, MeterAlarm, MeterAlarmEnable, FreqMemory, Macro, MacroCode, ShortMacro, ShortMacroCode,
    PortToAllow, AlarmLowMacro, AlarmHighMacro, MessageMacro, DTMFMemory, AutoDial, TollRestrict, Alarm,
};

// One step of an upload: a row with its port (per-port rows and courtesy
// segments; 0 otherwise) and its item (numbered rows, the courtesy tone; 0
// otherwise). Short macros and their codes count from 1; they go out as
// macros 41 to 90.
struct StepKey {
    StepId id;
    int port = 0;
    int item = 0;
};

// Every step of a row, in the order its loop takes them.
std::vector<StepKey> KeysOf(StepId id);

// The step of one key, as the rows give it; the uploads add their own
// differences (progress, pauses, framing).
UploadStep Row(const StepKey& key);

// The segment (1-4) of a courtesy tone row, 0 for any other row.
int CourtesySegmentOf(StepId id);
