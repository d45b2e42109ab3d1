#pragma once

#include <QDialog>
#include <QList>

struct AppContext;
class ControllerLink;
class QLineEdit;

// "DTMF Dialer": a sixteen-key pad that plays each key through the sound
// output, to check the sound path and its level. It keys no transmitter and
// adds no codes. Keys typed anywhere in it play as the buttons do.
class TTPad : public QDialog {
    Q_OBJECT
public:
    TTPad(AppContext& context, ControllerLink& controller, QWidget* parent = nullptr);

    void cmdNum_Click(int index);
    void Form_KeyPress(QChar typed);
    void Clear_Click();
    void Exit_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override { Exit_Click(); } // Esc

private:
    struct Press {
        QString key;  // the name played
        QString text; // what the number box shows for it
    };
    void press(const Press& p);

    AppContext& m_context;
    ControllerLink& m_controller;
    QLineEdit* m_txtNum;
    // Presses that came while a key was playing, played in turn after it.
    QList<Press> m_pending;
    // The pad was closed during its run: the sound was stopped, no failure.
    bool m_stopped = false;
};
