#pragma once

#include <QDialog>

struct AppContext;
class SerialLink;
class QLabel;
class QProgressBar;
class QPushButton;

// The upload window "Send To Tarvex": a face over the serial link. Loading it
// opens the serial port in serial mode; Close hides it and closes the port.
class UpdateWindow : public QDialog {
    Q_OBJECT
public:
    UpdateWindow(AppContext& context, SerialLink& link, QWidget* parent = nullptr);

    void Close_Click();
    void Interrupt_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override { Close_Click(); } // Esc

private:
    void Form_Load();
    // The rest of Close, once no reply is being waited for.
    void finishClose();
    void showProgress(double value, int percent);

    AppContext& m_context;
    SerialLink& m_link;
    QPushButton* m_interrupt;
    QPushButton* m_close;
    QPushButton* m_complete;
    QPushButton* m_update;
    QLabel* m_percentProgress;
    QLabel* m_progressLabel;
    QProgressBar* m_progressBar;
    bool m_unloaded = false;
    bool m_closePending = false;
};
