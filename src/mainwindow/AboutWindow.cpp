#include "mainwindow/AboutWindow.h"

#include "mainwindow/Version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

AboutWindow::AboutWindow(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(tr("About"));
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel(ProgramName, this);
    product->setObjectName(QStringLiteral("lblProductName"));
    auto* version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    layout->addWidget(product);
    layout->addWidget(version);
    layout->addWidget(new QLabel(tr("Programs the Tarvex three-port repeater controller."), this));
    layout->addWidget(new QLabel(tr("Built with Qt %1.").arg(QString::fromLatin1(qVersion())), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
