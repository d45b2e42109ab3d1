#pragma once

#include "platform/Dialogs.h"

// Counts the messages instead of showing them and says Yes to every question.
class CountedDialogs final : public Dialogs {
public:
    Answer message(const QString&, const QString&, Buttons buttons, Icon) override
    {
        if (buttons != Buttons::Ok)
            return Answer::Yes;
        ++shown;
        return Answer::Ok;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&, const QString&) override { return {}; }

    int shown = 0;
};
