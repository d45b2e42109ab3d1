#pragma once

#include "download/LoadEram.h"
#include "mainwindow/EditorTabs.h"
#include "store/AppSettings.h"

#include <QMainWindow>
#include <memory>

class ControllerLink;
class EditorManager;
class FileCommands;
class ProgressBar;
class QAction;
class QDialog;
class QStackedWidget;
class QTabBar;
class TransportMenu;
class UpdateWindow;
struct AppContext;
struct MainMenus;

// The main window: menus, toolbar, the tab strip of the eleven editors, and
// the start-up load of the last configuration.
class ZarnMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit ZarnMain(AppContext& context, EditorTabList tabs = EditorTabs(), QWidget* parent = nullptr);
    ~ZarnMain() override;

    // The start-up sequence; false when the user cancelled the open dialog,
    // and then nothing was written.
    bool load();
    // Shows the window in the state the settings file stored.
    void showAsStored();

    EditorManager& editors() { return *m_editors; }
    MainMenus& menus() { return *m_menus; }
    FileCommands& files() { return *m_files; }
    TransportMenu& transport() { return *m_transport; }
    QTabBar* tabBar() const { return m_tabs; }
    QDialog* uploadWindow() const;

    int currentTab() const { return m_currentTab; }
    // As a click on the tab does: the editor of the tab left is applied.
    void selectTab(int tab);
    // The tab that is in front after a load, a reload and Save As.
    int homeTab() const;
    // Every loaded editor's edits applied for a command, the current one
    // first; false when an editor refused its edits (it is then in front),
    // and the command asking stops.
    bool applyPendingEdits();
    // Asks, editor by editor, whether what waits in it to be sent may be
    // dropped by `closing` (a text such as "Ending the program"); false when the
    // user keeps it: its editor is then in front.
    bool mayCloseEditors(const QString& closing);

    // Every editor afresh from the settings, the front tab selected; the
    // editors not made at start-up wait until they are next needed. Edits
    // not applied are lost.
    void reloadEditors();
    // Reads CurrentDatFile and shows it in the editors.
    void loadConfiguration();
    // Reads a downloaded memory file into the settings and, when it was taken,
    // shows them in editors made afresh; a refused file leaves the editors
    // and their edits as they were.
    EramLoad loadMemoryFile(const QString& path);
    void setTitleFor(const QString& path);
    WindowGeometry currentGeometry() const;
    void endProgram();
    bool hasEnded() const { return m_ended; }

    // Modal, as the upload, manual send and test pad entries show them.
    void openUpload();
    void openManualSend();
    void openTestPad();
    // Download from Tarvex: the controller's memory into the settings, every
    // other command off meanwhile.
    void downloadFromTarvex();
    ProgressBar* progressWindow() const { return m_progress; }
    // The one path to the controller, for every window that talks to it.
    ControllerLink& controller() { return *m_controller; }

signals:
    // The program ends: the application's event loop stops.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectCommands();
    void onTabChanged(int tab);
    // False when the editor of the tab left refused the user's change of
    // tab: the tab left stays current.
    bool leaveChecked(int previous, int tab);
    // As selectTab, for a command that has applied the editors already: the
    // tab left is applied for the command, so it sends nothing.
    void selectTabForCommand(int tab);
    // Selects the tab of editors just loaded from the settings: none is
    // applied, as none holds an edit.
    void selectLoadedTab(int tab);
    void readFile();
    void finishLoad();
    void applyGeometry(WindowGeometry geometry);
    void focusLockBox();
    void enableCommands(bool on);

    AppContext& m_context;
    QStackedWidget* m_area;
    QTabBar* m_tabs;
    // Made first and gone last: the editors and windows hold it.
    std::unique_ptr<ControllerLink> m_controller;
    std::unique_ptr<EditorManager> m_editors;
    std::unique_ptr<MainMenus> m_menus;
    std::unique_ptr<FileCommands> m_files;
    TransportMenu* m_transport;
    UpdateWindow* m_upload = nullptr;
    QDialog* m_manualSend = nullptr;
    QDialog* m_testPad = nullptr;
    ProgressBar* m_progress = nullptr;
    std::vector<QAction*> m_pausedActions; // turned off for a download
    int m_currentTab = 0;
    bool m_commandSelects = false; // a command, not the user, changes the tab
    bool m_startMaximised = false;
    bool m_focusLockBoxOnShow = false;
    bool m_ended = false;
};
