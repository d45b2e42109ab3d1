#pragma once

#include <QDialog>

// Stands in for the upload window until the serial link is built.
class UploadPlaceholder final : public QDialog {
    Q_OBJECT
public:
    explicit UploadPlaceholder(QWidget* owner);
};
