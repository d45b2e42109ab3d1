#pragma once

#include "store/AppSettings.h"

#include <QString>
#include <functional>

// What the file commands ask of the main window.
struct FileCommandHooks {
    // Every loaded editor's edits applied, the current one first; false when
    // one refused them (it is then in front).
    std::function<bool()> applyPendingEdits;
    // Asks about what waits in an editor to be sent, which the editors'
    // closing and the program's end drop, naming what the command does
    // ("Opening another file"); false when the user keeps it (its editor is
    // then in front).
    std::function<bool(const QString& closing)> mayCloseEditors;
    // Reads CurrentDatFile and shows it in the editors.
    std::function<void()> loadConfiguration;
    std::function<void(const QString&)> setTitleFor;
    // The editor of the current tab back in front, after a cancelled Save As.
    std::function<void()> showCurrentTab;
    // The tab that is in front after a load and Save As, selected as by a
    // command: the tab left sends nothing.
    std::function<void()> selectHomeTab;
    std::function<WindowGeometry()> currentGeometry;
    std::function<void()> endProgram;
};
