#include "mainwindow/CompanyWindow.h"

#include "mainwindow/Version.h"

#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

CompanyWindow::CompanyWindow(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(tr("Company Information"));
    auto* layout = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    layout->addWidget(picture);
    layout->addWidget(new QLabel(ProgramName, this));
    layout->addWidget(new QLabel(VersionText(), this));
    layout->addWidget(new QLabel(tr("Configuration editor and uploader"), this));
    layout->addWidget(new QLabel(tr("for the Tarvex repeater controller."), this));
    layout->addWidget(new QLabel(tr("Close this window to return."), this));
}
