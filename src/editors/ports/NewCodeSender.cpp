#include "editors/ports/NewCodeSender.h"

#include "link/CommandCatalogue.h"
#include "link/ControllerLink.h"
#include "platform/Dialogs.h"
#include "platform/Profile.h"
#include "store/KeyRegistry.h"
#include "store/ProgramName.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

namespace {

QString Listed(const std::vector<NewCode>& codes)
{
    QStringList names;
    for (const NewCode& c : codes)
        names << CodeName(c);
    return JoinedWithAnd(names);
}

AtOnce RequestFor(const NewCode& c)
{
    AtOnce request;
    switch (c.kind) {
    case NewCode::Kind::PortUnlock:
        // The controller still knows the port's old code; no lock code follows.
        request.commands = {PortUnlockCommand(c.port, c.code)};
        request.unlockPort = c.port;
        request.lock = false;
        break;
    case NewCode::Kind::Lock:
        request.commands = {LockChangeCommand(c.code)};
        // Taken before the lock code is played: the controller now locks with it.
        request.adopt = [code = c.code](SettingsTables& t) { t.CurrentLock = t.Lock = code; };
        break;
    case NewCode::Kind::Terminator:
        // The frame still ends with the old terminator; the new one is taken after it.
        request.commands = {TerminatorChangeCommand(c.code)};
        break;
    }
    return request;
}

} // namespace

NewCodeSender::NewCodeSender(SettingsTables& tables, Profile& profile, Dialogs& dialogs, ControllerLink& link)
    : m_tables(tables), m_profile(profile), m_dialogs(dialogs), m_link(link)
{
}

int NewCodeSender::send(const std::vector<NewCode>& codes)
{
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (const Delivery delivery = sendOne(codes[i]); delivery != Delivery::Taken) {
            tellNotTaken(delivery, {codes.begin() + static_cast<std::ptrdiff_t>(i), codes.end()});
            return static_cast<int>(i);
        }
        take(codes[i]);
    }
    return static_cast<int>(codes.size());
}

// The link has shown every failure with its reason.
NewCodeSender::Delivery NewCodeSender::sendOne(const NewCode& c)
{
    // In serial mode the controller learns a new unlock code with the next upload.
    if (c.kind == NewCode::Kind::PortUnlock && !m_link.dtmfMode())
        return Delivery::Taken;
    AtOnce request = RequestFor(c);
    bool unanswered = false;
    request.unanswered = [&unanswered] { unanswered = true; };
    if (m_link.sendAtOnce(request))
        return Delivery::Taken;
    return unanswered ? Delivery::Unanswered : Delivery::NotSent;
}

void NewCodeSender::take(const NewCode& c)
{
    const bool serial = !m_link.dtmfMode();
    switch (c.kind) {
    case NewCode::Kind::PortUnlock:
        m_tables.CurrentPortUnlock[c.port] = c.code;
        // Sent in DTMF mode; in serial mode the upload sends it.
        m_tables.CurrentPortUnlockChanged[c.port] = serial;
        writeKey(c, ElementOf(&SettingsTables::CurrentPortUnlock, c.port));
        break;
    case NewCode::Kind::Lock:
        m_tables.CurrentLock = m_tables.Lock = c.code;
        if (serial)
            m_dialogs.message(ProgramName, QStringLiteral("New Lock Code Has Been Successfully Sent To The Tarvex"));
        writeKey(c, ElementOf(&SettingsTables::CurrentLock));
        break;
    case NewCode::Kind::Terminator:
        m_tables.Terminator = m_tables.CurrentTerminator = c.code;
        if (serial)
            m_dialogs.message(ProgramName,
                              QStringLiteral("New Terminator Digit Has Been Successfully Sent To The Tarvex"));
        writeKey(c, ElementOf(&SettingsTables::Terminator));
        break;
    }
}

// The code is in use either way; a save writes [Unlock] whole, so a file
// that did not take the key is marked unsaved.
void NewCodeSender::writeKey(const NewCode& c, const SettingElement& element)
{
    const KeyStem& stem = FindStem(element.setting);
    const Status written = m_profile.write(m_tables.CurrentDatFile, stem.section, stem.keyName(element.index), c.code);
    if (written)
        return;
    m_tables.DataSaved = false;
    m_dialogs.message(ProgramName, QStringLiteral("Could not write %1 \"%2\" into the configuration file: %3\n"
                                                  "It is in use all the same; save the configuration to keep it.")
                                       .arg(CodeName(c), c.code, written.reason()));
}

// The code in use is kept until the controller has answered for the new one:
// one that went out unanswered may have been taken, or not.
void NewCodeSender::tellNotTaken(Delivery delivery, const std::vector<NewCode>& left)
{
    const QString again = QStringLiteral("Apply again to send %1.")
                              .arg(left.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"));
    if (delivery == Delivery::NotSent) {
        m_dialogs.message(ProgramName, QStringLiteral("Not sent to the Tarvex: %1. The codes in use stay as they were; %2")
                                           .arg(Listed(left), again));
        return;
    }
    QString text = QStringLiteral("Sent to the Tarvex but not answered: %1. The Tarvex may hold the new code or the "
                                  "old one; the codes in use stay as they were.")
                       .arg(CodeName(left.front()));
    if (left.size() > 1)
        text += QStringLiteral(" Not sent: %1.").arg(Listed({left.begin() + 1, left.end()}));
    m_dialogs.message(ProgramName, text + u' ' + again);
}
