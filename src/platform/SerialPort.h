#pragma once

#include "platform/Status.h"

#include <QByteArray>
#include <QString>

// What the program uses of a serial port: a COM number, 9600 baud, 8 data bits,
// no parity, 1 stop bit, no handshaking, text out, what arrived in, DTR and RTS.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Takes effect at the next open.
    virtual void setPortNumber(int comNumber) = 0;
    virtual int portNumber() const = 0;
    // The device COM n stands for on this machine, for messages; "" when none.
    virtual QString deviceName() const = 0;

    // Opens with DTR and RTS both low: the system raises them on open, and a
    // raised line may key a transmitter. Devices without modem lines open too.
    virtual Status open() = 0;
    // Drops DTR and RTS, then closes.
    virtual void close() = 0;
    // False once the device has vanished, even before close.
    virtual bool isOpen() const = 0;
    // Success, or why the port was lost since the last open (device unplugged);
    // a lost port is closed, and writes fail with this reason until it reopens.
    virtual Status lineStatus() const = 0;

    virtual Status write(const QByteArray& data) = 0;
    // Everything that arrived since the previous call, without waiting; reading
    // it is also how stale input is thrown away.
    virtual QByteArray readAvailable() = 0;
    // Throws away what arrived and was not read, the system's buffer included:
    // an adapter keeps it across close and open, so an answer sent after the
    // last read would otherwise start the next conversation.
    virtual void discardInput() = 0;
    // Returns true as soon as input is waiting, false after timeoutMs, and false
    // at once on a closed or lost port.
    virtual bool waitForData(int timeoutMs) = 0;

    // Only on an open port; a device without modem lines (a pseudo-terminal)
    // answers with a failure.
    virtual Status setDtr(bool on) = 0;
    virtual Status setRts(bool on) = 0;
};
