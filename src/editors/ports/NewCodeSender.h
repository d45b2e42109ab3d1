#pragma once

#include "editors/ports/AccessCodeRules.h"
#include "platform/Status.h"
#include "store/Setting.h"

#include <vector>

class ControllerLink;
class Dialogs;
class Profile;
struct SettingsTables;

// Sends the new access codes to the controller at once and makes each the
// one in use once the controller has it: the setting (CurrentPortUnlock(p),
// CurrentLock with Lock, Terminator with CurrentTerminator) and its key of
// [Unlock] in the open configuration file.
//
// Serial mode sends a new lock code or terminator as a command line and takes
// it only on "+"; a new unlock code is not sent but taken at once, its flag
// left for the next upload to send. DTMF mode plays each code in a keyed
// frame: a new unlock code opened with the port's old code and not locked, a
// new lock code or terminator opened with port 1's code and locked (a new
// lock code with itself, a new terminator before it is taken).
class NewCodeSender {
public:
    NewCodeSender(SettingsTables& tables, Profile& profile, Dialogs& dialogs, ControllerLink& link);

    // The codes in order, each checked by RefusalOf. Stops at the first code
    // the controller did not take: nothing of it, or of those after it, is
    // taken, and the user is told which, and whether it went out unanswered
    // (the controller may then hold it). Returns how many were taken.
    int send(const std::vector<NewCode>& codes);

private:
    enum class Delivery { Taken, NotSent, Unanswered };

    Delivery sendOne(const NewCode& code);
    void take(const NewCode& code);
    void writeKey(const NewCode& code, const SettingElement& element);
    // `left`: the code that was not taken, then those after it.
    void tellNotTaken(Delivery delivery, const std::vector<NewCode>& left);

    SettingsTables& m_tables;
    Profile& m_profile;
    Dialogs& m_dialogs;
    ControllerLink& m_link;
};
