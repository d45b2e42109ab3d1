#pragma once

#include <array>

class QAction;
class QMainWindow;
class QToolBar;

// The main window's menu bar and its button toolbar. The window connects the
// actions; this only lays them out.
struct MainMenus {
    explicit MainMenus(QMainWindow* window);

    QAction* fileNew;
    QAction* fileOpen;
    QAction* fileSave;
    QAction* fileSaveAs;
    QAction* fileExit;

    QAction* serialDelay;
    std::array<QAction*, 8> com;
    QAction* dtmfDelay;
    QAction* txDelay;
    std::array<QAction*, 8> dtmfCom;
    QAction* useRts;
    QAction* useDtr;

    QAction* testPad;
    QAction* manualData;
    QAction* upload;
    QAction* download;
    QAction* about;
    QAction* company;

    // Toolbar buttons with an action; the others do nothing.
    QToolBar* toolbar;
    QAction* toolNew;
    QAction* toolOpen;
    QAction* toolSave;
    QAction* toolUpload;
    QAction* toolHelp;
};
