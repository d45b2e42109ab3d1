#include "mainwindow/UploadPlaceholder.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

UploadPlaceholder::UploadPlaceholder(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("Update"));
    setWindowTitle(tr("Communicate with controller"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("The upload to the controller is not built yet."), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}
