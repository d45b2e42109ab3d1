#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Profile;

// Which device stands for "COM n": the key "COMn" of the settings file's [Ports]
// section when it names one (COM1=/dev/ttyUSB0), otherwise "COMn" on Windows and
// the n-th serial device of the machine elsewhere.
class ComPorts {
public:
    // The value of a key of [Ports]; "" when there is none.
    using PortsLookup = std::function<QString(const QString& key)>;
    // The machine's serial devices in COM order.
    using DeviceList = std::function<QStringList()>;

    static constexpr int kMenuPorts = 8;

    explicit ComPorts(PortsLookup ports, DeviceList machine = &ComPorts::machineDevices);

    // "" when COM n stands for no device.
    QString deviceFor(int comNumber) const;
    // For the port menus' status tips: the devices of COM 1 to 8, "no device"
    // where there is none.
    QStringList menuDevices() const;

    // [Ports] of the settings file, read through the profile.
    static PortsLookup portsSection(Profile& profile, const QString& settingsFile);

    static QStringList machineDevices();
    // USB adapters, then ACM adapters, then the built-in ports, then any other
    // serial device; within each, by number (ttyUSB2 before ttyUSB10).
    static QStringList inComOrder(QStringList devices);
    // Drops the built-in ports (ttyS) whose driver reports no UART behind them:
    // the kernel lists ttyS0 to ttyS31 whether or not the ports exist.
    static QStringList withoutAbsentUarts(const QStringList& devices,
                                          const QString& sysTtyFolder = QStringLiteral("/sys/class/tty"));

private:
    QString configured(int comNumber) const;
    // COM n among the machine's devices when no setting names it.
    static QString byNumber(int comNumber, const QStringList& devices);

    PortsLookup m_ports;
    DeviceList m_machine;
};
