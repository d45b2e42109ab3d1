#include "link/UploadOrder.h"

#include <stdexcept>

namespace Sections {

using enum StepId;

const Runs TimersTonesAndIdentifiers{
    {HangTime, TimeOut, IIDTime, PIDTime, InActiveTime, InActivityMacro, DTMFTime, CTCSSTime, KerchunkTime,
     IDSpeakTime, AnnounceTime, AuxTime, GeneralTimer, GeneralTimerMacro},
    {FanTime, FanSelect, XmtDelay, TimeoutLink},
    {CourtesySegment1, CourtesySegment2, CourtesySegment3, CourtesySegment4},
    {VoiceID1, VoiceID2, VoiceID3, CWID1, CWID2, CWSpeed, CWTones},
};

const Runs CodesAndAutopatch{
    {CommandPrefix, DTMFPort, DTMFSpeech, APPrefix, AnswerCode},
    {AutoDial},
    {TollRestrict},
    {RingNumber, APTimeOut, EnablePatch, PatchMute, DTMFTestPrefix, PreAccessPrefix, PreProgramPrefix, MacroSubset,
     MacroSubsetEnable, DTMFMuteDigitSelect},
};

const Runs SchedulerAndMeters{
    {SetPoint}, {SayYear, TwentyFour, SayHour, ClockCorrection}, {Meter}, {Vref}, {MeterAlarm}, {MeterAlarmEnable},
};

const Runs AlarmMacrosExtrasAndMessages{
    {AlarmLowMacro, AlarmHighMacro},
    {ID1Extras, ID2Extras, ID3Extras, SpeechEnable},
    {MessageMacro},
};

const Run PortSwitches{
    TxEnable, RxEnable, FDup, PLAccess, DTMFEnable, DTMFNeedPL, DTMFMute, DTMFCovertone, MonMix, Kerchunk,
    SpeechOverride, SpeechIDOverride, CTCSSCT, CTCSSID, TailMessageNum, TailMessages, TailCounter, PLEncodePolarity,
    COSClose,
};

} // namespace Sections

StepList& StepList::add(const Runs& runs)
{
    for (const Run& run : runs) {
        std::vector<std::vector<StepKey>> keys;
        for (const StepId id : run) {
            keys.push_back(KeysOf(id));
            if (keys.back().size() != keys.front().size())
                throw std::logic_error("rows of one run loop alike");
        }
        for (std::size_t i = 0; !keys.empty() && i < keys.front().size(); ++i) {
            for (const std::vector<StepKey>& rowKeys : keys) {
                UploadStep step = Row(rowKeys[i]);
                if (m_differences)
                    m_differences(rowKeys[i], step);
                m_steps.push_back(std::move(step));
            }
        }
    }
    return *this;
}

StepList& StepList::add(UploadStep step)
{
    m_steps.push_back(std::move(step));
    return *this;
}
