#pragma once

#include <QObject>

class ControllerLink;
struct AppContext;
struct MainMenus;

// The "Con&figure Zarn" menu: serial or DTMF mode, the keying port and line,
// the three delays, and the ticks that show the current choice. The mode and
// the ports stay as they are while a run holds the link to the controller.
class TransportMenu : public QObject {
    Q_OBJECT
public:
    TransportMenu(AppContext& context, ControllerLink& link, MainMenus& menus, QObject* parent = nullptr);

    // Ticks the saved ports, as start-up does; the keying line is not ticked.
    void showStartTicks();

    void chooseSerialPort(int n);
    void chooseKeyingPort(int n);
    void chooseKeyingLine(const QString& line); // "1" DTR, "2" RTS
    void askKeyUpDelay();
    void askInterdigitDelay();
    void askSerialDelay();

private:
    void updateTicks();
    void enterDtmfMode();
    bool askDtmfDelay(const QString& title, const QString& key, QString& value);
    void checkPort();
    // False, after saying why, while a run holds the link.
    bool linkFree();

    AppContext& m_context;
    ControllerLink& m_link;
    MainMenus& m_menus;
    bool m_lineTicked = false; // the DTR or RTS item was chosen in this run
};
