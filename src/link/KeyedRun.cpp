#include "link/KeyedRun.h"

#include "link/SerialLink.h"
#include "platform/SoundOutput.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

KeyedRun::KeyedRun(SettingsTables& tables, SoundOutput& sound, SerialLink& link)
    : m_tables(tables), m_sound(sound), m_link(link)
{
}

// Reached with the run still open only on an early way out: silence at once,
// no trailing silence to wait for.
KeyedRun::~KeyedRun()
{
    if (m_active)
        m_sound.stop();
    release();
}

Status KeyedRun::begin()
{
    if (m_active)
        return Status::success();
    // An open serial port keys with its own lines, as the link does.
    if (LeadingNumber(m_tables.DTMFComPortValue) >= 1 || m_link.isPortOpen()) {
        if (const Status keyed = m_link.DoComPort(true); !keyed)
            return keyed; // the link left the port closed
        m_keyed = true;
    }
    if (const Status begun = m_sound.beginRun(); !begun) {
        (void)m_sound.endRun(); // a failed run still counts until it is ended
        release();
        return begun;
    }
    m_active = true;
    return Status::success();
}

Status KeyedRun::end()
{
    Status ended = Status::success();
    if (m_active) {
        m_active = false;
        ended = m_sound.endRun();
    }
    release();
    return ended;
}

void KeyedRun::release()
{
    if (!m_keyed)
        return;
    m_keyed = false;
    (void)m_link.DoComPort(false);
}
