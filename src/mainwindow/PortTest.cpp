#include "mainwindow/PortTest.h"

#include "mainwindow/Version.h"
#include "platform/Dialogs.h"
#include "platform/SerialPort.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

QString PortMessage(const QString& fixedText, const Status& failure)
{
    QString text = fixedText + QLatin1Char('\n') + failure.reason();
    if (failure.reason().contains(QLatin1String("Permission denied"), Qt::CaseInsensitive))
        text += QStringLiteral("\nYour user must belong to the group that owns the device "
                               "(often \"dialout\"); log in again after joining it.");
    return text;
}

void CheckComPort(SettingsTables& t, SerialPort& port, Dialogs& dialogs)
{
    if (port.isOpen())
        port.close();
    const QString& number = LeadingNumber(t.ComPortValue) == 0 ? t.DTMFComPortValue : t.ComPortValue;
    port.setPortNumber(static_cast<int>(LeadingNumber(number)));
    const Status opened = port.open();
    if (!opened) {
        dialogs.message(ProgramName,
                        PortMessage(QStringLiteral("Sorry, that Comport does not exist on your system. "
                                                   "Please try again"),
                                    opened));
        return;
    }
    port.close();
}
