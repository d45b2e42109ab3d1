#pragma once

#include <QDialog>

// Help > Company Information: fixed text about the program.
class CompanyWindow final : public QDialog {
    Q_OBJECT
public:
    explicit CompanyWindow(QWidget* owner);
};
