#include "mainwindow/ProgressBar.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ProgressBar::ProgressBar(QWidget* parent) : QDialog(parent), m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("ProgressBar"));
    setWindowTitle(QStringLiteral("Tarvex Data Status"));
    setModal(false);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setMinimum(0);
    m_bar->setMinimumWidth(320);
    auto* cancel = new QPushButton(QStringLiteral("&Escape"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &ProgressBar::Cancel_Click);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
}

void ProgressBar::start(const QString& caption, int maximum)
{
    m_canceled = false;
    setWindowTitle(caption);
    m_bar->setMaximum(maximum);
    m_bar->setValue(0);
    show();
    raise();
}

void ProgressBar::setValue(int value) { m_bar->setValue(value); }

void ProgressBar::finish() { hide(); }

// The transfer hides the window once it has stopped.
void ProgressBar::closeEvent(QCloseEvent* event)
{
    Cancel_Click();
    event->ignore();
}
