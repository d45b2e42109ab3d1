#pragma once

#include "link/ControllerCommand.h"

#include <QString>

struct SettingsTables;

// Every command the controller takes from this program, built from the stored
// settings without changing them. The argument `item` is the port for a
// per-port command, the item number for a numbered one and unused otherwise;
// an item outside its range throws std::out_of_range.
enum class CommandId {
    // Per-port (item = port 1-3).
    HangTime, TimeOut, IIDTime, PIDTime, InActiveTime, InActivityMacro, DTMFTime, CTCSSTime,
    KerchunkTime, IDSpeakTime, AnnounceTime, AuxTime,
    VoiceID1, VoiceID2, VoiceID3, CWID1, CWID2, CWSpeed, CWTones,
    ID1Extras, ID2Extras, ID3Extras, SpeechEnable,
    TxEnable, RxEnable, FDup, PLAccess, DTMFEnable, DTMFNeedPL, DTMFMute, DTMFCovertone, MonMix,
    Kerchunk, SpeechOverride, SpeechIDOverride, CTCSSCT, CTCSSID, TailMessageNum, TailMessages,
    TailCounter, PLEncodePolarity, COSClose,

    // Controller-wide, no item.
    FanTime, FanSelect, XmtDelay, TimeoutLink, SayYear, TwentyFour, SayHour, ClockCorrection, Vref,
    RadioType, YaesuType, RemoteBasePrefix, DTMFDur, DTMFDelay, CommandPrefix, DTMFPort, DTMFSpeech,
    APPrefix, AnswerCode, RingNumber, APTimeOut, EnablePatch, PatchMute, DTMFTestPrefix,
    PreAccessPrefix, PreProgramPrefix, MacroSubset, MacroSubsetEnable, DTMFMuteDigitSelect,
    AllowTerminatorSpeech, EraseAllMacros, Reset,

    // Controller-wide, numbered.
    GeneralTimer,       // 1-3
    GeneralTimerMacro,  // 1-3
    SetPoint,           // 1-20
    Meter,              // 1-8
    MeterAlarm,         // 1-10
    MeterAlarmEnable,   // 1-10
    FreqMemory,         // 1-10: frequency, CTCSS and radio mode, then stored
    Macro,              // 1-90: 1-40 Macro(n), 41-90 ShortMacro(n-40)
    MacroCode,          // 1-90: 1-40 MacroCode(n), 41-90 ShortMacroCode(n-40)
    PortToAllow,        // 1-90
    AlarmMacros,        // 1-5, serial only; a line for each macro that is not "0"
    MessageMacro,       // 1-40
    DTMFMemory,         // 1-20
    AutoDial,           // 1-200
    TollRestrict,       // 1-100
    DVRErase,           // 1-20: the voice recorder track, emptied for a recording
    DVRRecord,          // 1-20: the track records what follows (serial: from "G" to "S")
    Alarm,              // 1-5
};

ControllerCommand BuildCommand(CommandId id, const SettingsTables& tables, int item = 0);

// Segment 1-4 of courtesy tone 1-10 of port 1-3.
ControllerCommand CourtesySegmentCommand(const SettingsTables& tables, int port, int tone, int segment);

// The access code commands carry the code the caller passes: the access code
// editor its new code, which it takes into use once the controller has it;
// the uploads the codes in use. The code is played as an
// unlock code is, so a "D" in it stays a D.
ControllerCommand PortUnlockCommand(int port, const QString& code);
ControllerCommand LockChangeCommand(const QString& code);
// Ends with the terminator in use: the controller still expects the old one.
ControllerCommand TerminatorChangeCommand(const QString& terminator);

// The first CW tone as CWTones sends it: the tones are four-digit fields, so
// a shorter tone gets a leading "0". The caller stores it back into
// CWTone1(port) once the command is sent.
QString PaddedCWTone1(const QString& tone);
