#pragma once

#include "download/DownloadProgress.h"

#include <QDialog>

class QProgressBar;

// The download's progress window: shown beside the main window, not modal,
// hidden and never closed when a transfer ends. Escape, its button or its
// close box asks the transfer to stop.
class ProgressBar final : public QDialog, public DownloadProgress {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);

    void start(const QString& caption, int maximum) override;
    void setValue(int value) override;
    void finish() override;
    bool canceled() const override { return m_canceled; }

    void Cancel_Click() { m_canceled = true; }

protected:
    void reject() override { Cancel_Click(); }
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* m_bar;
    bool m_canceled = false;
};
