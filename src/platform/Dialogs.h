#pragma once

#include <QString>
#include <optional>

// Every message box, question, input box and file dialog goes through here, so
// that tests script the answers and read the texts.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    virtual Answer message(const QString& title, const QString& text, Buttons buttons = Buttons::Ok,
                           Icon icon = Icon::None) = 0;
    // The text typed, or nothing when the user cancelled.
    virtual std::optional<QString> input(const QString& title, const QString& prompt,
                                         const QString& proposed) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(const QString& title, const QString& folder,
                                            const QString& filter) = 0;
    virtual std::optional<QString> saveFile(const QString& title, const QString& proposed,
                                            const QString& filter) = 0;
};
