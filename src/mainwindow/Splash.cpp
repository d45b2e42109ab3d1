#include "mainwindow/Splash.h"

#include "mainwindow/Version.h"
#include "mainwindow/ZarnMain.h"

#include <QFrame>
#include <QLabel>
#include <QStyle>
#include <QSysInfo>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const QString& text, const char* name)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

Splash::Splash(ZarnMain& main) : QWidget(nullptr, Qt::SplashScreen), m_main(main)
{
    auto* outer = new QVBoxLayout(this);
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("fraMainFrame"));
    frame->setFrameShape(QFrame::Box);
    outer->addWidget(frame);
    auto* layout = new QVBoxLayout(frame);
    QLabel* logo = label(frame, QString(), "picLogo");
    logo->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(64, 64));
    layout->addWidget(logo);
    layout->addWidget(label(frame, ProgramName, "lblProductName"));
    layout->addWidget(label(frame, QSysInfo::prettyProductName(), "lblPlatform"));
    layout->addWidget(label(frame, QStringLiteral("Tarvex Programmer"), "lblCompanyProduct"));
    layout->addWidget(label(frame, VersionText(), "lblVersion"));
    layout->addWidget(label(frame, tr("Repeater controller programming"), "lblDescription"));
    layout->addWidget(label(frame, tr("Loading..."), "lblLoading"));

    m_timer.setSingleShot(true);
    // A coarse timer may fire up to a tenth of a second early or late.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(ShowMs);
    connect(&m_timer, &QTimer::timeout, this, &Splash::finish);
    m_timer.start();
}

void Splash::finish()
{
    m_timer.stop();
    if (m_main.load())
        m_main.showAsStored();
    else
        emit cancelled();
    close();
}
