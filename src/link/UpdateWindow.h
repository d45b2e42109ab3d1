#pragma once

#include <QDialog>
#include <functional>

struct AppContext;
class CommandTransport;
class ControllerLink;
class SerialLink;
class QEventLoop;
class QLabel;
class QProgressBar;
class QPushButton;

// The upload window "Send To Tarvex": a face over the controller link. Loading
// it opens the serial port in serial mode; Close hides it and closes the port.
// The uploads go over the link's transport of the current mode.
// Close and Esc during an upload ask the interrupt question first.
class UpdateWindow : public QDialog {
    Q_OBJECT
public:
    UpdateWindow(AppContext& context, ControllerLink& controller, QWidget* parent = nullptr);

    // Shows the window modal and returns once it is closed; at once when an
    // earlier showing's interrupted upload is still ending.
    void showModal();

    void Close_Click();
    void Interrupt_Click();
    void Update_Click();
    void Complete_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override { Close_Click(); } // Esc

private:
    void Form_Load();
    // False when the user let the running upload go on.
    bool closeWindow();
    // The interrupt question, and on Yes its messages and the stop.
    bool interrupt();
    // The run stops at its next check; the reply ticks and the bar start again.
    void markInterrupted();
    // The rest of Close, once no reply is being waited for.
    void finishClose();
    // The modal showing ends once the window is hidden and no upload runs.
    void endModalWhenDone();
    void showProgress(double value, int percent);
    // An upload of this window holds the controller link.
    bool uploading() const;
    // Runs one upload with both upload buttons off; a Close meanwhile closes after it.
    void runUpload(const std::function<void(CommandTransport&)>& run);

    AppContext& m_context;
    ControllerLink& m_controller;
    SerialLink& m_link;
    QPushButton* m_interrupt;
    QPushButton* m_close;
    QPushButton* m_complete;
    QPushButton* m_update;
    QLabel* m_percentProgress;
    QLabel* m_progressLabel;
    QProgressBar* m_progressBar;
    QEventLoop* m_modalLoop = nullptr;
    bool m_unloaded = false;
    bool m_closePending = false;
};
