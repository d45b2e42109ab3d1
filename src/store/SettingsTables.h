#pragma once

#include "store/Indexed.h"

#include <QString>

// Counts of the controller's numbered items.
namespace Count {
inline constexpr int Ports = 3;
inline constexpr int SetPoints = 20;
inline constexpr int DTMFMemories = 20;
inline constexpr int Meters = 8;
inline constexpr int MeterAlarms = 10;
inline constexpr int RemoteMemories = 10;
inline constexpr int CourtesyTones = 10;
inline constexpr int LongMacros = 40;
inline constexpr int ShortMacros = 50;
inline constexpr int Macros = 90;
inline constexpr int MessageMacros = 40;
inline constexpr int VoiceTracks = 20; // of the voice recorder
inline constexpr int AlarmInputs = 5;
inline constexpr int AutoDialSlots = 200;
inline constexpr int TollEntries = 100;
} // namespace Count

// The whole configuration of the controller, as text, named after the
// configuration file's keys, with the changed, section and saved flags beside
// it and the program state several windows share. One instance lives for the
// whole run and is handed by reference to whoever needs it.
struct SettingsTables {
    // ---- [Timers] ----
    TextArray HangTime{Count::Ports}, TimeOut{Count::Ports}, IIDTime{Count::Ports}, PIDTime{Count::Ports},
        InActiveTime{Count::Ports}, InActivityMacro{Count::Ports}, DTMFTime{Count::Ports},
        CTCSSTime{Count::Ports}, KerchunkTime{Count::Ports}, IDSpeakTime{Count::Ports},
        AnnounceTime{Count::Ports}, AuxTime{Count::Ports};
    QString FanTime, FanSelect, XmtDelay, TimeoutLink;

    // ---- [Alarms] ----
    TextArray GeneralTimer{Count::Ports}, GeneralTimerMacro{Count::Ports}, RouteAuxPort{Count::Ports};
    TextArray AlarmLowMacroNum{Count::AlarmInputs}, AlarmHighMacroNum{Count::AlarmInputs};

    // ---- [Scheduler] ----
    TextArray DOW{Count::SetPoints}, Monthly{Count::SetPoints}, Week{Count::SetPoints},
        Hours{Count::SetPoints}, Minutes{Count::SetPoints}, MacroToRun{Count::SetPoints};
    QString SayYear, TwentyFour, SayHour, ClockCorrection, DateFormat;

    // ---- [Analog] ----
    TextArray Meter{Count::Meters}, RealLow{Count::Meters}, MeterLow{Count::Meters},
        RealHigh{Count::Meters}, MeterHigh{Count::Meters};
    QString Vref;
    TextArray MeterAlarmType{Count::MeterAlarms}, MeterNum{Count::MeterAlarms},
        MeterSetPoint{Count::MeterAlarms}, MeterMacro{Count::MeterAlarms};

    // ---- [Remote] ----
    QString RadioType, YaesuType, RemoteBasePrefix, ControlPort;
    TextArray FreqString{Count::RemoteMemories}, CTCSS{Count::RemoteMemories},
        CTCSSMode{Count::RemoteMemories}, RadioMode{Count::RemoteMemories};

    // ---- [ID] and [IDExtras] ----
    TextArray VoiceID1{Count::Ports}, VoiceID2{Count::Ports}, VoiceID3{Count::Ports};
    TextArray CWID1{Count::Ports}, CWID2{Count::Ports}, CWSpeed{Count::Ports};
    TextArray CWTone1{Count::Ports}, CWTone2{Count::Ports}, SpeechEnable{Count::Ports};
    TextArray ID1Extras{Count::Ports}, ID2Extras{Count::Ports}, ID3Extras{Count::Ports};

    // ---- [Macros] ----
    TextArray Macro{Count::LongMacros}, MacroCode{Count::LongMacros};
    TextArray ShortMacro{Count::ShortMacros}, ShortMacroCode{Count::ShortMacros};
    TextArray PortToAllow{Count::Macros};

    // ---- [Courtesy]: delay, duration and two tones of each of four segments ----
    TextArray P1Delay1{Count::CourtesyTones}, P1Delay2{Count::CourtesyTones}, P1Delay3{Count::CourtesyTones},
        P1Delay4{Count::CourtesyTones}, P1Dur1{Count::CourtesyTones}, P1Dur2{Count::CourtesyTones},
        P1Dur3{Count::CourtesyTones}, P1Dur4{Count::CourtesyTones}, P1Tone1{Count::CourtesyTones},
        P1Tone2{Count::CourtesyTones}, P1Tone3{Count::CourtesyTones}, P1Tone4{Count::CourtesyTones},
        P1Tone5{Count::CourtesyTones}, P1Tone6{Count::CourtesyTones}, P1Tone7{Count::CourtesyTones},
        P1Tone8{Count::CourtesyTones};
    TextArray P2Delay1{Count::CourtesyTones}, P2Delay2{Count::CourtesyTones}, P2Delay3{Count::CourtesyTones},
        P2Delay4{Count::CourtesyTones}, P2Dur1{Count::CourtesyTones}, P2Dur2{Count::CourtesyTones},
        P2Dur3{Count::CourtesyTones}, P2Dur4{Count::CourtesyTones}, P2Tone1{Count::CourtesyTones},
        P2Tone2{Count::CourtesyTones}, P2Tone3{Count::CourtesyTones}, P2Tone4{Count::CourtesyTones},
        P2Tone5{Count::CourtesyTones}, P2Tone6{Count::CourtesyTones}, P2Tone7{Count::CourtesyTones},
        P2Tone8{Count::CourtesyTones};
    TextArray P3Delay1{Count::CourtesyTones}, P3Delay2{Count::CourtesyTones}, P3Delay3{Count::CourtesyTones},
        P3Delay4{Count::CourtesyTones}, P3Dur1{Count::CourtesyTones}, P3Dur2{Count::CourtesyTones},
        P3Dur3{Count::CourtesyTones}, P3Dur4{Count::CourtesyTones}, P3Tone1{Count::CourtesyTones},
        P3Tone2{Count::CourtesyTones}, P3Tone3{Count::CourtesyTones}, P3Tone4{Count::CourtesyTones},
        P3Tone5{Count::CourtesyTones}, P3Tone6{Count::CourtesyTones}, P3Tone7{Count::CourtesyTones},
        P3Tone8{Count::CourtesyTones};

    // ---- [MessageMacros] and [DTMF] ----
    TextArray MessageMacro{Count::MessageMacros};
    TextArray DTMFMemory{Count::DTMFMemories}; // keys DTMF(1) .. DTMF(20)
    QString DTMFDur, DTMFDelay;

    // ---- [Unlock] ----
    TextArray CurrentPortUnlock{Count::Ports};
    QString CurrentLock;       // the lock code in use, stored under "Lock"
    QString Lock;              // the copy read with it; only the option board's download sends it
    QString Terminator;        // ends every DTMF command, stored under "Terminator"
    QString CurrentTerminator; // the validated copy read with it
    QString CommandPrefix, DTMFPort, DTMFSpeech;

    // ---- [Autopatch], [PadTest], [PreAccess], [PreProgram] ----
    QString APPrefix, AnswerCode;
    TextArray AutoDial{Count::AutoDialSlots};
    TextArray TollRestrict{Count::TollEntries};
    QString RingNumber, APTimeOut, EnablePatch, PatchMute;
    QString DTMFTestPrefix, PreAccessPrefix, PreProgramPrefix;

    // ---- [MacroSubset] and [DTMFMuteDigitSelect] ----
    QString MacroSubset, MacroSubsetEnable;
    QString DTMFMuteDigitSelect;

    // ---- [PortSwitches] ----
    TextArray TxEnable{Count::Ports}, RxEnable{Count::Ports}, DisableTimeout{Count::Ports}, FDup{Count::Ports},
        PLAccess{Count::Ports}, DTMFEnable{Count::Ports}, DTMFNeedPL{Count::Ports}, DTMFMute{Count::Ports},
        DTMFCovertone{Count::Ports}, MonMix{Count::Ports}, Kerchunk{Count::Ports},
        SpeechOverride{Count::Ports}, SpeechIDOverride{Count::Ports}, CTCSSCT{Count::Ports},
        CTCSSID{Count::Ports}, TailMessageNum{Count::Ports};
    // Element k of Pp's array is port p's macro for its tail message k.
    TextArray P1MessageNum{Count::Ports}, P2MessageNum{Count::Ports}, P3MessageNum{Count::Ports};
    TextArray TailCounter{Count::Ports}, PLEncodePolarity{Count::Ports}, COSClose{Count::Ports};
    TextArray Alarm{Count::AlarmInputs};
    QString AllowTerminatorSpeech;

    // Lengths found in a downloaded memory image; only the download uses them.
    TextArray VoiceID1Length{Count::Ports}, VoiceID2Length{Count::Ports}, VoiceID3Length{Count::Ports},
        CWID1Length{Count::Ports}, CWID2Length{Count::Ports};

    // ==== Item changed flags: what the changes-only upload must send ====
    FlagArray HangTimeChanged{Count::Ports}, TimeOutChanged{Count::Ports}, IIDTimeChanged{Count::Ports},
        PIDTimeChanged{Count::Ports}, InActiveTimeChanged{Count::Ports},
        InActivityMacroChanged{Count::Ports}, DTMFTimeChanged{Count::Ports},
        CTCSSTimeChanged{Count::Ports}, KerchunkTimeChanged{Count::Ports},
        IDSpeakTimeChanged{Count::Ports}, AnnounceTimeChanged{Count::Ports}, AuxTimeChanged{Count::Ports};
    bool FanTimeChanged = false, FanSelectChanged = false, XmtDelayChanged = false,
         TimeoutLinkChanged = false;
    FlagArray GeneralTimerChanged{Count::Ports}; // GeneralTimer with GeneralTimerMacro
    FlagArray AlarmLowMacroNumChanged{Count::AlarmInputs}, AlarmHighMacroNumChanged{Count::AlarmInputs};
    FlagArray SetPointChanged{Count::SetPoints}; // the six settings of a set point
    bool SayYearChanged = false, TwentyFourChanged = false, SayHourChanged = false,
         ClockCorrectionChanged = false;
    FlagArray MeterChanged{Count::Meters + 1}; // a channel's five settings; element 9 is Vref
    FlagArray MeterAlarmChanged{Count::MeterAlarms};
    bool RadioTypeChanged = false; // RadioType or YaesuType
    bool RemoteBasePrefixChanged = false, ControlPortChanged = false;
    bool RemoteMemoryChanged = false; // any remote base memory
    FlagArray VoiceID1Changed{Count::Ports}, VoiceID2Changed{Count::Ports}, VoiceID3Changed{Count::Ports},
        CWID1Changed{Count::Ports}, CWID2Changed{Count::Ports}, CWSpeedChanged{Count::Ports},
        CWTone1Changed{Count::Ports}, CWTone2Changed{Count::Ports}, SpeechEnableChanged{Count::Ports};
    FlagArray ID1ExtrasChanged{Count::Ports}, ID2ExtrasChanged{Count::Ports}, ID3ExtrasChanged{Count::Ports};
    FlagArray MacroChanged{Count::LongMacros}, MacroCodeChanged{Count::LongMacros};
    FlagArray ShortMacroChanged{Count::ShortMacros}, ShortMacroCodeChanged{Count::ShortMacros};
    FlagArray PortToAllowChanged{Count::Macros};
    // PpSegsChanged(i): delay s, duration s and tones 2s-1, 2s of port p's courtesy tone i.
    FlagArray P1Seg1Changed{Count::CourtesyTones}, P1Seg2Changed{Count::CourtesyTones},
        P1Seg3Changed{Count::CourtesyTones}, P1Seg4Changed{Count::CourtesyTones};
    FlagArray P2Seg1Changed{Count::CourtesyTones}, P2Seg2Changed{Count::CourtesyTones},
        P2Seg3Changed{Count::CourtesyTones}, P2Seg4Changed{Count::CourtesyTones};
    FlagArray P3Seg1Changed{Count::CourtesyTones}, P3Seg2Changed{Count::CourtesyTones},
        P3Seg3Changed{Count::CourtesyTones}, P3Seg4Changed{Count::CourtesyTones};
    FlagArray MessageMacroChanged{Count::MessageMacros};
    FlagArray DTMFMemoryChanged{Count::DTMFMemories};
    bool DTMFDurChanged = false, DTMFDelayChanged = false;
    FlagArray CurrentPortUnlockChanged{Count::Ports}; // a new unlock code taken, not yet sent
    bool CommandPrefixChanged = false; // CommandPrefix with DTMFPort and DTMFSpeech
    bool APPrefixChanged = false, AnswerCodeChanged = false;
    FlagArray AutoDialChanged{Count::AutoDialSlots};
    FlagArray TollRestrictChanged{Count::TollEntries};
    bool RingNumberChanged = false, APTimeOutChanged = false, EnablePatchChanged = false,
         PatchMuteChanged = false, DTMFTestPrefixChanged = false, PreAccessPrefixChanged = false,
         PreProgramPrefixChanged = false;
    bool MacroSubsetValueChanged = false, MacroSubsetEnableChanged = false;
    bool DTMFMuteDigitSelectValueChanged = false;
    FlagArray TxEnableChanged{Count::Ports}, RxEnableChanged{Count::Ports},
        DisableTimeoutChanged{Count::Ports}, FDupChanged{Count::Ports}, PLAccessChanged{Count::Ports},
        DTMFEnableChanged{Count::Ports}, DTMFNeedPLChanged{Count::Ports}, DTMFMuteChanged{Count::Ports},
        DTMFCovertoneChanged{Count::Ports}, MonMixChanged{Count::Ports}, KerchunkChanged{Count::Ports},
        SpeechOverrideChanged{Count::Ports}, SpeechIDOverrideChanged{Count::Ports},
        CTCSSCTChanged{Count::Ports}, CTCSSIDChanged{Count::Ports}, TailMessageNumChanged{Count::Ports};
    FlagArray MessageNumChanged{Count::Ports}; // the three tail message macros of a port
    FlagArray TailCounterChanged{Count::Ports}, PLEncodePolarityChanged{Count::Ports},
        COSCloseChanged{Count::Ports};
    FlagArray AlarmChanged{Count::AlarmInputs};
    bool AllowTerminatorSpeechChanged = false;

    // ==== Section flags: what the next save must write ([Unlock] always is) ====
    bool TimersChanged = false, SchedulerChanged = false, AnalogChanged = false, RemoteChanged = false,
         AlarmsChanged = false, IDChanged = false, MacrosChanged = false, MacroPortsChanged = false,
         CourtesyChanged = false, IDExtrasChanged = false, MessageMacrosChanged = false,
         DTMFChanged = false, SpecialCodesChanged = false, MacroSubsetChanged = false,
         DTMFMuteDigitSelectChanged = false, PortSwitchesChanged = false;

    // Memory and the file on disk agree.
    bool DataSaved = false;

    // ==== Program state ====
    QString CurrentDatFile;          // full path of the open configuration file
    bool DatFileErrors = false;      // the reader logged a refused value
    bool SelectSpecialCodes = false; // the reader found the lock code equal to the terminator

    QString ComPortValue = "0";     // "1".."8": serial mode on that COM port; "0": DTMF mode
    QString DTMFComPortValue = "0"; // COM port whose DTR or RTS line keys the transmitter
    QString PTTLine = "0";          // "1" DTR keys the transmitter, otherwise RTS
    QString DTMFDelayValue = "0";   // ms before each DTMF tone the program plays
    QString KeyUpDelayValue = "0";  // ms after keying before the first tone
    int SerialDelayValue = 0;       // ms after each serial line

    bool UpdateError = false;
    bool UpdateInterrupted = false;
    bool SerialReplyOK = false;
    QString LastCommand;
    QString CodeString;     // codes made by the speech and Morse encoders
    QString DTMFMemoryText; // a DTMF memory without its blanks
    // The WAV file chosen for the voice recorder; the editors' reloads keep it.
    QString WavFileName;

    // A meter alarm is on unless its type is "0" (none); worked out from the
    // type each time, so a configuration just read sends what it holds.
    bool MeterAlarmEnabled(int alarm) const;

    // Sets every section flag, as Save and Save As do before writing.
    void setAllSectionFlags(bool on);
    bool anySectionFlag() const;
};
