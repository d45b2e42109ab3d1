#pragma once

#include "platform/Dialogs.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Records every dialog the program shows and answers from a script. A dialog
// with no scripted answer fails the test instead of blocking.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        enum class Kind { Message, Input, OpenFile, SaveFile } kind;
        QString title;
        QString text;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        QString filter; // of a file dialog
    };

    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& proposed) override;
    std::optional<QString> openFile(const QString& title, const QString& folder,
                                    const QString& filter) override;
    std::optional<QString> saveFile(const QString& title, const QString& proposed,
                                    const QString& filter) override;

    // Answers are taken in order; a plain Ok box needs none.
    void answer(Answer a) { m_answers.push_back(a); }
    void answerText(std::optional<QString> text) { m_texts.push_back(std::move(text)); }
    void answerFile(std::optional<QString> path) { m_files.push_back(std::move(path)); }
    // Runs as each message box shows, to look at the program while it waits.
    void onMessage(std::function<void(const Shown&)> hook) { m_onMessage = std::move(hook); }

    const std::vector<Shown>& shown() const { return m_shown; }
    std::vector<Shown> messages() const;
    QStringList messageTexts() const; // "title: text"
    QStringList untitledTexts() const;
    void clear() { m_shown.clear(); }

private:
    std::vector<Shown> m_shown;
    std::deque<Answer> m_answers;
    std::deque<std::optional<QString>> m_texts;
    std::deque<std::optional<QString>> m_files;
    std::function<void(const Shown&)> m_onMessage;
};
