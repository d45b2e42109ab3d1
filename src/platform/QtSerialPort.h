#pragma once

#include "platform/SerialPort.h"

#include <QSerialPort>
#include <functional>

// The real port, over QSerialPort. COM n is turned into a device by deviceFor
// (ComPorts::deviceFor in the program), asked again at every open. Works
// without an event loop; when the program lets events through, a device that
// vanishes meanwhile is noticed there too.
class QtSerialPort final : public SerialPort {
public:
    using DeviceFor = std::function<QString(int comNumber)>;

    explicit QtSerialPort(DeviceFor deviceFor);
    ~QtSerialPort() override;

    void setPortNumber(int comNumber) override { m_portNumber = comNumber; }
    int portNumber() const override { return m_portNumber; }
    QString deviceName() const override;

    Status open() override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen() && !m_lost; }
    Status lineStatus() const override { return m_lineStatus; }

    Status write(const QByteArray& data) override;
    QByteArray readAvailable() override;
    void discardInput() override;
    bool waitForData(int timeoutMs) override;

    Status setDtr(bool on) override;
    Status setRts(bool on) override;

private:
    using LineSetter = bool (QSerialPort::*)(bool);

    Status setLine(LineSetter set, const QString& line, bool on);
    Status dropLines();
    void noticeError(QSerialPort::SerialPortError error);
    void closeIfLost();
    bool hungUp() const;
    QString openFailure() const;
    // "<device>: <what>", the form every failure takes.
    Status failure(const QString& what) const;

    DeviceFor m_deviceFor;
    QSerialPort m_port;
    int m_portNumber = 0;
    QString m_device; // the device opened, or tried, last
    bool m_lost = false;
    Status m_lineStatus = Status::success();
};
