#include "platform/ComPorts.h"

#include "platform/Profile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>
#include <tuple>

namespace {

enum class Family { Usb, Acm, BuiltIn, Other }; // in COM order

// A device's family, its name without the number, and its number.
std::tuple<Family, QString, qint64> sortKey(const QString& device)
{
    static const QRegularExpression numbered(QStringLiteral("^(.*?)(\\d+)$"));
    const QString name = QFileInfo(device).fileName();
    const auto match = numbered.match(name);
    const QString family = match.hasMatch() ? match.captured(1) : name;
    const qint64 number = match.hasMatch() ? match.captured(2).toLongLong() : -1;

    Family rank = Family::Other;
    if (family == QLatin1String("ttyUSB"))
        rank = Family::Usb;
    else if (family == QLatin1String("ttyACM"))
        rank = Family::Acm;
    else if (family == QLatin1String("ttyS"))
        rank = Family::BuiltIn;
    return {rank, family, number};
}

} // namespace

ComPorts::ComPorts(PortsLookup ports, DeviceList machine)
    : m_ports(std::move(ports)), m_machine(std::move(machine))
{
}

QString ComPorts::configured(int comNumber) const
{
    return m_ports ? m_ports(QStringLiteral("COM%1").arg(comNumber)).trimmed() : QString();
}

QString ComPorts::deviceFor(int comNumber) const
{
    if (comNumber < 1)
        return {};
    const QString fromSettings = configured(comNumber);
    return fromSettings.isEmpty() ? byNumber(comNumber, m_machine()) : fromSettings;
}

QStringList ComPorts::menuDevices() const
{
    const QStringList devices = m_machine(); // once for all eight items
    QStringList out;
    for (int n = 1; n <= kMenuPorts; ++n) {
        QString device = configured(n);
        if (device.isEmpty())
            device = byNumber(n, devices);
        out << (device.isEmpty() ? QStringLiteral("no device") : device);
    }
    return out;
}

QString ComPorts::byNumber(int comNumber, const QStringList& devices)
{
#ifdef Q_OS_WIN
    Q_UNUSED(devices);
    return QStringLiteral("COM%1").arg(comNumber);
#else
    return comNumber <= devices.size() ? devices.at(comNumber - 1) : QString();
#endif
}

ComPorts::PortsLookup ComPorts::portsSection(Profile& profile, const QString& settingsFile)
{
    return [&profile, settingsFile](const QString& key) {
        return profile.read(settingsFile, QStringLiteral("Ports"), key);
    };
}

QStringList ComPorts::machineDevices()
{
#ifdef Q_OS_WIN
    return {}; // COM n is "COMn" there
#else
    QStringList devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    return inComOrder(withoutAbsentUarts(devices));
#endif
}

QStringList ComPorts::inComOrder(QStringList devices)
{
    std::stable_sort(devices.begin(), devices.end(),
                     [](const QString& a, const QString& b) { return sortKey(a) < sortKey(b); });
    devices.removeDuplicates();
    return devices;
}

QStringList ComPorts::withoutAbsentUarts(const QStringList& devices, const QString& sysTtyFolder)
{
    QStringList out;
    for (const QString& device : devices) {
        if (std::get<Family>(sortKey(device)) == Family::BuiltIn) {
            // The serial core's UART type; 0 is "unknown": no port at that address.
            QFile type(sysTtyFolder + QLatin1Char('/') + QFileInfo(device).fileName()
                       + QStringLiteral("/type"));
            if (type.open(QIODevice::ReadOnly) && type.readAll().trimmed() == "0")
                continue;
        }
        out << device;
    }
    return out;
}
