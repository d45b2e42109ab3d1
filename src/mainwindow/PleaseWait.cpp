#include "mainwindow/PleaseWait.h"

#include <QLabel>
#include <QVBoxLayout>

PleaseWait::PleaseWait(QWidget* owner) : QWidget(owner, Qt::Dialog)
{
    setWindowTitle(QStringLiteral("Saving Database"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please wait while your database is saved"), this));
}
