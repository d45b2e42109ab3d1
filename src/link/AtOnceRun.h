#pragma once

#include "platform/Status.h"

#include <QString>

class CommandTransport;
class SerialLink;
class SoundOutput;
struct AtOnce;
struct ControllerCommand;
struct SettingsTables;

// How a command is named to the user: its serial lines.
QString CommandName(const ControllerCommand& command);

// Goes through the steps of a run sent at once on a transport already begun.
// After a failure only what closes the run still goes out: the lock code, and
// a step undoing one that went out; after a give-up nothing more (the link has
// sent the lock line and closed the port). Every failure has been shown, by
// the reply check, the transport or here; the first one is returned.
Status RunAtOnce(const AtOnce& request, CommandTransport& transport, SerialLink& link, SoundOutput& sound,
                 SettingsTables& tables);
