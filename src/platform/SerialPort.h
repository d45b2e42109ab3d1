#pragma once

#include "platform/Status.h"

#include <QByteArray>
#include <QString>

// What the program uses of a serial port: a COM number, 9600 baud, 8 data bits,
// no parity, 1 stop bit, no handshaking, text out, what arrived in, DTR and RTS.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    virtual void setPortNumber(int comNumber) = 0;
    virtual int portNumber() const = 0;
    // The device COM n stands for on this machine, for messages.
    virtual QString deviceName() const = 0;

    virtual Status open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual Status write(const QByteArray& data) = 0;
    // What arrived since the previous call.
    virtual QByteArray readAvailable() = 0;

    virtual Status setDtr(bool on) = 0;
    virtual Status setRts(bool on) = 0;
};
