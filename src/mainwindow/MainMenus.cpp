#include "mainwindow/MainMenus.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace {

QAction* item(QMenu* menu, const QString& text, const char* name, const QKeySequence& keys = {})
{
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(keys);
    return a;
}

QAction* checkable(QMenu* menu, const QString& text, const QString& name)
{
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    a->setCheckable(true);
    return a;
}

QAction* button(QToolBar* bar, QStyle::StandardPixmap icon, const QString& text)
{
    return bar->addAction(bar->style()->standardIcon(icon), text);
}

} // namespace

MainMenus::MainMenus(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    fileNew = item(file, QStringLiteral("&New"), "mnuFileNew", Qt::CTRL | Qt::Key_N);
    fileOpen = item(file, QStringLiteral("&Open"), "mnuFileOpen", Qt::CTRL | Qt::Key_O);
    fileSave = item(file, QStringLiteral("&Save"), "mnuFileSave", Qt::CTRL | Qt::Key_S);
    fileSaveAs = item(file, QStringLiteral("Save &As"), "mnuFileSaveAs", Qt::CTRL | Qt::Key_A);
    fileExit = item(file, QStringLiteral("E&xit"), "mnuFileExit", Qt::CTRL | Qt::Key_X);

    QMenu* config = bar->addMenu(QStringLiteral("Con&figure Zarn"));
    QMenu* serial = config->addMenu(QStringLiteral("&Use Serial Port"));
    serialDelay = item(serial, QStringLiteral("DelayTime"), "mnuSerialDelay");
    for (int n = 1; n <= 8; ++n)
        com[n - 1] = checkable(serial, QStringLiteral("Com%1").arg(n), QStringLiteral("mnuCom%1").arg(n));
    QMenu* dtmf = config->addMenu(QStringLiteral("&Use DTMF"));
    dtmfDelay = item(dtmf, QStringLiteral("Set Interdigit Delay"), "mnuDTMFDelay");
    txDelay = item(dtmf, QStringLiteral("Set KeyUp Delay"), "mnuConfigureTXDelay");
    for (int n = 1; n <= 8; ++n)
        dtmfCom[n - 1] = checkable(dtmf, QStringLiteral("Use Com%1 for PTT").arg(n),
                                   QStringLiteral("mnuDTMFCom%1").arg(n));
    useRts = checkable(dtmf, QStringLiteral("RTS for PTT"), QStringLiteral("mnuUseDTMFRTS"));
    useDtr = checkable(dtmf, QStringLiteral("DTR for PTT"), QStringLiteral("mnuUseDTMFDTR"));

    // Commands on the menu bar itself.
    testPad = bar->addAction(QStringLiteral("&DTMF Test Pad"));
    testPad->setObjectName(QStringLiteral("MnuTestPad"));
    manualData = bar->addAction(QStringLiteral("&Manual Data Send"));
    manualData->setObjectName(QStringLiteral("MnuManualData"));

    QMenu* tarvex = bar->addMenu(QStringLiteral("&Tarvex"));
    upload = item(tarvex, QStringLiteral("Upload to Tarvex"), "mnuTarvexUpload");
    download = item(tarvex, QStringLiteral("Download from Tarvex"), "mnuTarvexDownload");

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    about = item(help, QStringLiteral("&About"), "mnuAbout");
    company = item(help, QStringLiteral("&Company Information"), "mnuCompany");

    toolbar = window->addToolBar(QStringLiteral("Toolbar1"));
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setMovable(false);
    toolNew = button(toolbar, QStyle::SP_FileIcon, QStringLiteral("New"));
    toolOpen = button(toolbar, QStyle::SP_DialogOpenButton, QStringLiteral("Open"));
    toolSave = button(toolbar, QStyle::SP_DialogSaveButton, QStringLiteral("Save"));
    toolbar->addSeparator();
    toolUpload = button(toolbar, QStyle::SP_ComputerIcon, QStringLiteral("Communicate with controller"));
    toolbar->addSeparator();
    toolHelp = button(toolbar, QStyle::SP_DialogHelpButton, QStringLiteral("Help"));
}
