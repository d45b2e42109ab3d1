#pragma once

#include <QDialog>

struct AppContext;
class ControllerLink;
class SerialLink;
class QLineEdit;
class QPushButton;

// "Manual Send Data To Tarvex": one typed line, sent on Enter as a serial
// command with the reply check, or in DTMF mode played as keys with the
// transmitter keyed around them. The serial port stays open until Close. A
// line with a character Latin-1 cannot carry is refused, and nothing is sent.
class ManualSendData : public QDialog {
    Q_OBJECT
public:
    ManualSendData(AppContext& context, ControllerLink& controller, QWidget* parent = nullptr);

    void ManualSendData_Change();
    void ManualSendData_KeyPress(); // Enter
    void Close_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override { Close_Click(); } // Esc

private:
    void Form_Load();
    void sendSerial();
    void sendDtmf();
    void finishClose();
    // A command of this window holds the controller link.
    bool sending() const;

    AppContext& m_context;
    ControllerLink& m_controller;
    SerialLink& m_link;
    QLineEdit* m_box;
    QPushButton* m_close;
    QString m_manualSendText;
    bool m_closePending = false;
};
