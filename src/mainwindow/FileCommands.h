#pragma once

#include "mainwindow/FileCommandHooks.h"

#include <QString>
#include <memory>
#include <optional>

class PleaseWait;
class QWidget;
struct AppContext;

// File New, Open, Save, Save As and Exit. Each asks before unsaved changes
// are lost, and a save that fails says so and changes nothing.
class FileCommands {
public:
    // The window is turned off while a save writes, and owns its notice.
    FileCommands(AppContext& context, QWidget& window, FileCommandHooks hooks);
    ~FileCommands();

    void fileNew();
    // True when another file was read.
    bool fileOpen();
    // True when the file was written.
    bool fileSave();
    bool fileSaveAs();
    // Ends the program unless the user chose to stay.
    void fileExit();

    // The file start-up reads: the last one when it still exists and is a
    // configuration file, otherwise the one the user picks; nothing when the
    // user cancels.
    std::optional<QString> startUpFile();

private:
    // Applies the editors' pending edits, then, for a command that drops
    // what waits in them to be sent, asks about that, naming what the command
    // does (`dropping`: "Opening another file"; empty for none). False when
    // the command must stop.
    bool settlePending(const QString& dropping);
    // Asks about unsaved changes; false when the command must stop.
    bool askToSave();
    // File Open; New has asked about what waits in the editors already.
    bool open(bool waitingAsked);
    std::optional<QString> askOpenFile(const QString& proposed, const QString& filter);
    // False, after telling the user why, for a file that cannot be read as a
    // configuration file.
    bool acceptsDatFile(const QString& path);
    bool writeDatabase();
    void closePortIfOpen();

    AppContext& m_context;
    QWidget& m_window;
    FileCommandHooks m_hooks;
    std::unique_ptr<PleaseWait> m_pleaseWait;
    bool m_saving = false;
};
