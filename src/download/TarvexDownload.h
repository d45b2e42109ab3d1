#pragma once

#include "download/LoadEram.h"
#include "store/Setting.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class ControllerLink;
class DownloadProgress;
struct AppContext;
struct OptionBoardFile;

// What the download asks of the main window.
struct DownloadHooks {
    // The editors' edits, applied as File Open does, and what waits in them
    // to be sent asked about, as the reload drops it; false when one refused
    // its edits or the user kept what waits.
    std::function<bool()> applyPendingEdits;
    // Every other command off (false) for the transfer, and on again.
    std::function<void(bool)> enableCommands;
    // The memory file into the settings and, when taken, the editors afresh.
    std::function<EramLoad(const QString&)> loadMemoryFile;
    // The access code editor, loaded when needed, shows the option board's
    // toll list and its answer code and rings as typed.
    std::function<void(const OptionBoardFile&)> showOptionBoard;
    // The settings as the user finds them on the tabs, each once; those no
    // tab shows left out.
    std::function<QStringList(const std::vector<Setting>&)> shownNames;
};

// The memory file, beside the settings file.
QString MemoryFilePath(const AppContext& context);
// The option board file, in the same folder.
QString OptionBoardFilePath(const AppContext& context);

// Download from Tarvex: the controller's memory image, and its option
// board's memory when the user has one, into the settings. It holds the
// controller link for the whole run, works in serial mode only, and closes
// the serial port on every way out.
class TarvexDownload {
public:
    TarvexDownload(AppContext& context, ControllerLink& link, DownloadProgress& progress, DownloadHooks hooks);

    void run();

private:
    // False, the user told, when the image did not arrive whole.
    bool receiveImage(const QString& memoryFile);
    // Nothing when no option board file was written; else whether the
    // board's memory arrived whole.
    std::optional<bool> receiveOptionBoard();
    void close(const EramLoad& load, const OptionBoardFile* board, bool boardWhole);
    void tell(const QString& title, const QString& text);

    AppContext& m_context;
    ControllerLink& m_link;
    DownloadProgress& m_progress;
    DownloadHooks m_hooks;
};
