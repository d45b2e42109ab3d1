#include "editors/timing/TimersLayout.h"

#include "editors/ControlNames.h"
#include "editors/FormRows.h"
#include "store/SettingsTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct PortRow {
    const char* label;
    const char* box;
    const char* unit;
};

const PortRow portRows[] = {
    {"Hang Timer", "HangTimer", "1/10 seconds"},
    {"Timeout Timer", "TimeOutTimer", "seconds"},
    {"Initial ID Timer", "IIDTimer", "minutes"},
    {"Pending ID Timer", "PIDTimer", "minutes"},
    {"Inactivity Timer", "InactiveTimer", "minutes"},
    {"DTMF Mute Timer", "DTMFTimer", "1/10 seconds"},
    {"Encode Timer", "CTCSSTimer", "1/10 seconds"},
    {"Kerchunk Timer", "KerchunkTimer", "1/1000 seconds"},
    {"Pending ID Speech Timer", "IDSpeakTimer", "seconds"},
    {"TailMessage Timer", "AnnounceTimer", "seconds"},
};
constexpr int InitialIdRow = 2;
constexpr int InactivityRow = 4;

QWidget* portPage(int port)
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    int row = 0;
    for (const PortRow& r : portRows)
        AddBoxRow(grid, row++, QString::fromLatin1(r.label), ControlName(QString::fromLatin1(r.box), port),
                  QString::fromLatin1(r.unit));
    grid->addWidget(new QLabel(QStringLiteral("(note: setting this to 0 will disable IDs)")), InitialIdRow, 3);

    auto* frame = new QGroupBox(QStringLiteral("Inactivity Timer Macro Select"));
    frame->setObjectName(ControlName(QStringLiteral("InactivityFrame"), port));
    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(NewList(ControlName(QStringLiteral("InActivityMacroSet"), port)));
    frameLayout->addStretch();
    grid->addWidget(frame, InactivityRow - 1, 3, 3, 1);

    grid->setColumnStretch(4, 1);
    grid->setRowStretch(row, 1);
    return page;
}

QGroupBox* auxFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Aux Audio Timers"));
    auto* grid = new QGridLayout(frame);
    for (int n = 1; n <= Count::Ports; ++n)
        AddBoxRow(grid, n - 1, QString::number(n), ControlName(QStringLiteral("AuxTimer"), n), QStringLiteral("seconds"));
    return frame;
}

QGroupBox* fanFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Fan"));
    auto* grid = new QGridLayout(frame);
    AddBoxRow(grid, 0, QString(), QStringLiteral("FanTimer"), QStringLiteral("minutes"));
    grid->addWidget(NewCheck(QStringLiteral("All Xmt Activity"), QStringLiteral("FanSelect")), 1, 0, 1, 3);
    return frame;
}

QGroupBox* delayFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Speech/CW Delay"));
    auto* grid = new QGridLayout(frame);
    AddBoxRow(grid, 0, QStringLiteral("Before Transmit"), QStringLiteral("XmtDelaySet"), QStringLiteral("ms"));
    return frame;
}

QGroupBox* generalFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("General Timers"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Macro To Use")), 0, 3);
    for (int n = 1; n <= Count::Ports; ++n) {
        AddBoxRow(grid, n, QStringLiteral("Timer %1").arg(n), ControlName(QStringLiteral("GeneralTimerSet"), n),
                  n == 3 ? QStringLiteral("second") : QStringLiteral("seconds"));
        grid->addWidget(NewList(ControlName(QStringLiteral("GeneralTimerMacroSet"), n)), n, 3);
    }
    return frame;
}

QGroupBox* linkFrame()
{
    auto* frame = new QGroupBox(QStringLiteral("Timeout Timer Control"));
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(NewCheck(QStringLiteral("Enable Linking Control"), QStringLiteral("TimeoutLinkSet")));
    return frame;
}

QWidget* globalPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(auxFrame(), 0, 0);
    grid->addWidget(fanFrame(), 0, 1);
    grid->addWidget(delayFrame(), 1, 0);
    grid->addWidget(linkFrame(), 1, 1);
    grid->addWidget(generalFrame(), 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QPushButton* button(const QString& caption, const QString& objectName)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(objectName);
    return b;
}

} // namespace

void BuildTimersLayout(QWidget* editor)
{
    auto* tabs = new QTabWidget;
    for (int port = 1; port <= Count::Ports; ++port)
        tabs->addTab(portPage(port), QStringLiteral("Port %1").arg(port));
    tabs->addTab(globalPage(), QStringLiteral("Global"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(button(QStringLiteral("Cancel Changes"), QStringLiteral("CancelChanges")));
    buttons->addWidget(button(QStringLiteral("&Apply"), QStringLiteral("Apply")));

    auto* layout = new QVBoxLayout(editor);
    layout->addWidget(tabs);
    layout->addLayout(buttons);
}
