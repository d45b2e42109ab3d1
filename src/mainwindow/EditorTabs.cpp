#include "mainwindow/EditorTabs.h"
#include "editors/timing/Timers.h"

#include "mainwindow/PlaceholderEditor.h"

namespace {

EditorTab placeholder(const QString& caption, const QStringList& boxNames = {})
{
    return {caption, [caption, boxNames](AppContext&, QWidget* parent) -> EditorWindow* {
                return new PlaceholderEditor(caption, boxNames, parent);
            }};
}

} // namespace

EditorTabList EditorTabs()
{
    return {
        {QStringLiteral("Timers"), [](AppContext& c, QWidget* parent) -> EditorWindow* { return new Timers(c, parent); }},
        placeholder(QStringLiteral("Courtesy Tones")),
        placeholder(QStringLiteral("Macros")),
        placeholder(QStringLiteral("Scheduler/Clock")),
        placeholder(QStringLiteral("Analog")),
        placeholder(QStringLiteral("IDs")),
        placeholder(QStringLiteral("Messages")),
        placeholder(QStringLiteral("DTMF")),
        placeholder(QStringLiteral("Alarms/R. Base/Aux Audio")),
        placeholder(QStringLiteral("Special Codes/Autopatch"), {QStringLiteral("NewLockSet")}),
        placeholder(QStringLiteral("Port Switches")),
    };
}
