#pragma once

#include "platform/Status.h"

#include <QString>

class Dialogs;
class SerialPort;
struct SettingsTables;

// A port message: its fixed text, then on a line of its own the device and
// the system's reason, with a hint when the user may not use the device.
QString PortMessage(const QString& fixedText, const Status& failure);

// Opens and closes the COM port of the current mode (the keying port in DTMF
// mode); any port open before is closed first. Shows one message on failure.
void CheckComPort(SettingsTables& tables, SerialPort& port, Dialogs& dialogs);
