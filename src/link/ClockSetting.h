#pragma once

class Clock;
class CommandTransport;
class ControllerLink;
class Dialogs;
struct SettingsTables;

// Sends the PC's date, then its time, read from the clock as each is sent and
// laid out by DateFormat. Nothing when UpdateError is set. Serial mode waits
// 50 ms before the date and 500 ms before the time, and sends no time after a
// refused, given-up or abandoned date. DTMF mode plays both inside one frame
// opened with port 1's unlock code and closed with the lock code. True when
// both commands went out and neither was refused, given up or abandoned (a
// time-out counts as sent, as it does everywhere else).
bool SendClock(SettingsTables& tables, CommandTransport& transport, Clock& clock);

// The Set Clock button: opens the transport of the current mode, sends the
// clock, ends the transport and closes the serial port on every way out, then
// tells the user when the clock was set. Flags left by an earlier run are
// cleared first, and UpdateError again at the end. Does nothing while another
// run holds the link. True when the clock was set.
bool SetControllerClock(SettingsTables& tables, ControllerLink& controller, Dialogs& dialogs, Clock& clock);
