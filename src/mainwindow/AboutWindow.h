#pragma once

#include <QDialog>

// Help > About: the program's name and version.
class AboutWindow final : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* owner);
};
