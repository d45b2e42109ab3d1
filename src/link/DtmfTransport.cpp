#include "link/DtmfTransport.h"

#include "link/DtmfPlayer.h"
#include "link/SerialLink.h"
#include "platform/SoundOutput.h"
#include "store/AppSettings.h"
#include "store/SettingsTables.h"

DtmfTransport::DtmfTransport(SettingsTables& tables, SoundOutput& sound, SerialLink& link, DtmfPlayer& player)
    : m_tables(tables), m_sound(sound), m_link(link), m_player(player), m_run(tables, sound, link)
{
}

Status DtmfTransport::begin()
{
    m_status = Status::success();
    if (const Status begun = m_run.begin(); !begun)
        return begun;
    // The radio needs this long after keying before it passes audio.
    if (const int keyUpMs = DelayMs(m_tables.KeyUpDelayValue); keyUpMs > 0)
        note(m_sound.playSilence(keyUpMs));
    return Status::success();
}

Outcome DtmfTransport::send(const ControllerCommand& command, int unlockPort, Framing framing)
{
    if (!m_status || !m_run.active())
        return Outcome::Interrupted;
    Status played = framing == Framing::Bare ? Status::success() : m_player.SendUnlockCode(unlockPort);
    if (played)
        played = m_player.play(command.dtmf);
    if (played && framing == Framing::Full)
        played = m_player.SendLockCode();
    note(played);
    return played ? Outcome::Accepted : Outcome::Interrupted;
}

Outcome DtmfTransport::lock()
{
    if (!m_status || !m_run.active())
        return Outcome::Interrupted;
    const Status played = m_player.SendLockCode();
    note(played);
    return played ? Outcome::Accepted : Outcome::Interrupted;
}

Status DtmfTransport::sendWithoutReply(const ControllerCommand& command)
{
    if (m_status && m_run.active())
        note(m_player.play(command.dtmf));
    return m_status;
}

void DtmfTransport::pause(int ms)
{
    if (m_status && m_run.active())
        note(m_sound.playSilence(ms));
}

Status DtmfTransport::end()
{
    const Status ended = m_run.end();
    const Status first = m_status ? ended : m_status;
    if (!first)
        m_link.report(first);
    m_status = Status::success();
    return first;
}

void DtmfTransport::note(const Status& status)
{
    if (m_status && !status)
        m_status = status;
}
