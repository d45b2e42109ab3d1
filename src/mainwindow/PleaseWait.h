#pragma once

#include <QWidget>

// Shown while the configuration file is written.
class PleaseWait final : public QWidget {
    Q_OBJECT
public:
    explicit PleaseWait(QWidget* owner);
};
