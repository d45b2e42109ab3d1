#include "link/VoiceTrackRecording.h"

#include "link/CommandCatalogue.h"
#include "link/ControllerLink.h"
#include "platform/Dialogs.h"
#include "platform/RunSound.h"
#include "store/ProgramName.h"
#include "store/SettingsTables.h"

namespace {

// The controller's recorder needs this long between its two commands.
constexpr int PauseBetweenCommandsMs = 500;

AtOnce RecordingRequest(const SettingsTables& tables, int track, QByteArray sound)
{
    using Step = AtOnceStep;
    AtOnce request;
    request.steps = {
        Step::sending(BuildCommand(CommandId::DVRErase, tables, track)),
        Step::pause(PauseBetweenCommandsMs, Step::Mode::Dtmf),
        Step::sending(BuildCommand(CommandId::DVRRecord, tables, track), false),
    };
    const std::size_t started = request.steps.size();
    request.steps.push_back(Step::serialText(QStringLiteral("G")));
    request.steps.push_back(Step::sound(std::move(sound)));
    request.steps.push_back(Step::serialText(QStringLiteral("S"), started));
    request.steps.push_back(Step::lock());
    request.closePortAfter = true;
    // A silent controller would otherwise bring a box for every closing step.
    request.oneMessage = true;
    return request;
}

} // namespace

bool RecordVoiceTrack(SettingsTables& tables, ControllerLink& controller, Dialogs& dialogs, int track)
{
    if (tables.WavFileName.isEmpty()) {
        dialogs.message(ProgramName, QStringLiteral("Choose the WAV file to record with \"Load Wav\" first."));
        return false;
    }
    QByteArray sound;
    if (const Status read = ReadRunSound(tables.WavFileName, sound); !read) {
        dialogs.message(ProgramName, read.reason());
        return false;
    }
    if (!controller.sendAtOnce(RecordingRequest(tables, track, std::move(sound))))
        return false;
    // Told only once the transmitter is released: the box waits for the user.
    dialogs.message(ProgramName, QStringLiteral("Wav File Upload Complete."));
    return true;
}
