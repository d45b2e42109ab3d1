#pragma once

class Clock;
class ControllerLink;
class Dialogs;
struct SettingsTables;

// The Set Clock button: the PC's date, then its time, read from the clock as
// each is sent and laid out by DateFormat, sent at once in one frame of the
// current mode (DTMF: opened with port 1's unlock code, closed with the lock
// code). Serial mode waits 50 ms before the date and 500 ms before the time,
// sends no time after a refused, given-up or abandoned date, and still sends
// the time after a date that got no answer. The serial port is closed
// afterwards in either mode, also when it was open before. Once the
// transmitter is released the user is told that the clock was set: in serial
// mode only when the controller accepted both lines, in DTMF mode once the
// frame was played. Every failure has been shown by then, the busy link's and
// the unanswered lines' included. True when the clock was set.
bool SetControllerClock(SettingsTables& tables, ControllerLink& controller, Dialogs& dialogs, Clock& clock);
