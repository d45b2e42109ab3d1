#pragma once

#include "link/CommandCatalogue.h"
#include "link/UploadStep.h"

#include "store/Indexed.h"

// Building blocks of the two uploads' step lists.
namespace UploadSteps {

StepFlag Flag(const char* name, bool SettingsTables::*flag);
StepFlag Flag(const char* name, FlagArray SettingsTables::*flags, int n);

// One catalogue command; item is the port or number, as the catalogue takes it.
UploadStep Command(const char* name, CommandId id, int item, std::vector<StepFlag> flags, int unlockPort = 1,
                   Clear clear = Clear::OnAcceptOrRefusal);
// The courtesy tone segment of a port and tone, with its own flag.
UploadStep CourtesySegment(int port, int tone, int segment);
// Both CW tones of a port, tone 1 padded to four digits in the settings too.
UploadStep CWTones(int port);
// The unlock code of a port; in DTMF mode the access code editor played it already.
UploadStep PortUnlock(int port);
// A meter alarm's definition; its flag is cleared by the enable step when there is one.
UploadStep MeterAlarm(int n);
// The alarm input's macros: serial only, each flag cleared only when its macro went out.
std::vector<UploadStep> AlarmMacros(int n);

// The port's timers, then its general timer (port n holds general timer n).
void AppendPortTimers(std::vector<UploadStep>& out, int p);
// One remote base memory; all ten share RemoteMemoryChanged, cleared with the tenth.
UploadStep RemoteMemory(int m, CommandId id, Framing framing);
// The port switches through the port's fail-safe settings, port p unlocked.
void AppendPortSwitches(std::vector<UploadStep>& out, int p);

} // namespace UploadSteps
