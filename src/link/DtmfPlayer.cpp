#include "link/DtmfPlayer.h"

#include "link/SerialLink.h"
#include "link/SoundCommands.h"
#include "platform/SoundOutput.h"
#include "store/AppSettings.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

#include <algorithm>
#include <array>

namespace {

struct KeyTone {
    const char* name;
    const char* alias; // the numeric name of a key that is no digit
    int low;
    int high;
};

constexpr std::array<KeyTone, 16> Keys = {{
    {"1", nullptr, 697, 1209}, {"2", nullptr, 697, 1336}, {"3", nullptr, 697, 1477}, {"A", "13", 697, 1633},
    {"4", nullptr, 770, 1209}, {"5", nullptr, 770, 1336}, {"6", nullptr, 770, 1477}, {"B", "14", 770, 1633},
    {"7", nullptr, 852, 1209}, {"8", nullptr, 852, 1336}, {"9", nullptr, 852, 1477}, {"C", "15", 852, 1633},
    {"*", "11", 941, 1209},    {"0", nullptr, 941, 1336}, {"#", "12", 941, 1477},    {"D", "16", 941, 1633},
}};

const KeyTone* FindKey(const QString& name)
{
    const auto found = std::find_if(Keys.begin(), Keys.end(), [&](const KeyTone& key) {
        return name == QLatin1String(key.name) || (key.alias && name == QLatin1String(key.alias));
    });
    return found == Keys.end() ? nullptr : &*found;
}

bool IsOneKey(const QString& text) { return text.size() == 1 && FindKey(text); }

} // namespace

bool IsDtmfKey(QChar c) { return IsOneKey(QString(c)); }

QString DtmfKeyOfNumber(int number)
{
    if (number == 10)
        return QStringLiteral("0");
    const KeyTone* key = number >= 1 && number <= 16 ? FindKey(QString::number(number)) : nullptr;
    return key ? QString::fromLatin1(key->name) : QString();
}

DtmfPlayer::DtmfPlayer(SettingsTables& tables, SoundOutput& sound, SerialLink& link)
    : m_tables(tables), m_sound(sound), m_link(link)
{
}

int DtmfPlayer::gapMs() const { return std::max(MinGapMs, DelayMs(m_tables.DTMFDelayValue)); }

// An empty or garbled terminator would leave every command unterminated.
QString DtmfPlayer::terminatorKey() const
{
    if (IsOneKey(m_tables.Terminator))
        return m_tables.Terminator;
    if (IsOneKey(m_tables.CurrentTerminator))
        return m_tables.CurrentTerminator;
    return QStringLiteral("D");
}

Status DtmfPlayer::SendDTMFDigit(const QString& digit)
{
    if (const Status waited = m_sound.playSilence(gapMs()); !waited)
        return waited;
    const KeyTone* key = FindKey(digit);
    return key ? PlayTonePair(m_sound, key->low, key->high, ToneSeconds) : Status::success();
}

Status DtmfPlayer::SendDTMFString(const QString& value)
{
    for (const QChar c : value.trimmed())
        if (const Status played = SendDTMFDigit(c); !played)
            return played;
    return Status::success();
}

Status DtmfPlayer::SendDTMFCode(const QString& code)
{
    for (const QChar c : code) {
        const QString key = c == u'D' ? terminatorKey() : IsOneKey(c) ? QString(c) : QStringLiteral("0");
        if (const Status played = SendDTMFDigit(key); !played)
            return played;
    }
    return Status::success();
}

Status DtmfPlayer::playAsUnlockCode(const QString& code)
{
    for (const QChar c : code)
        if (const Status played = SendDTMFDigit(IsOneKey(c) ? QString(c) : QStringLiteral("0")); !played)
            return played;
    return Status::success();
}

Status DtmfPlayer::SendUnlockCode(int port)
{
    if (port < 1 || port > m_tables.CurrentPortUnlock.count())
        return Status::failure(QStringLiteral("There is no port %1 to unlock").arg(port));
    if (LeadingNumber(m_tables.ComPortValue) != 0)
        return Status::success();
    if (const Status played = playAsUnlockCode(m_tables.CurrentPortUnlock[port].trimmed()); !played)
        return played;
    return SendDTMFDigit(terminatorKey());
}

// A lock code of several keys is played key by key, as the controller was
// told it; played whole as one key name it would sound nothing.
Status DtmfPlayer::SendLockCode()
{
    if (LeadingNumber(m_tables.ComPortValue) != 0)
        return m_link.SendSerialLock();
    const QString lock = m_tables.CurrentLock;
    const Status played = lock.trimmed().size() > 1 ? playAsUnlockCode(lock.trimmed()) : SendDTMFDigit(lock);
    if (!played)
        return played;
    return SendDTMFDigit(terminatorKey());
}

Status DtmfPlayer::play(const QList<DtmfPart>& parts)
{
    for (const DtmfPart& part : parts) {
        Status played = Status::success();
        switch (part.player) {
        case Player::Key: played = SendDTMFDigit(part.text); break;
        case Player::String:
        case Player::CodeDigits: played = SendDTMFString(part.text); break;
        case Player::Code: played = SendDTMFCode(part.text); break;
        case Player::UnlockCode: played = playAsUnlockCode(part.text); break;
        case Player::Terminator: played = SendDTMFDigit(terminatorKey()); break;
        }
        if (!played)
            return played;
    }
    return Status::success();
}
