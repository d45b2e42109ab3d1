#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

Dialogs::Answer ScriptedDialogs::message(const QString& title, const QString& text, Buttons buttons,
                                         Icon icon)
{
    m_shown.push_back({Shown::Kind::Message, title, text, buttons, icon, {}});
    if (m_onMessage)
        m_onMessage(m_shown.back());
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unscripted question: " << title.toStdString() << ": " << text.toStdString();
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

std::optional<QString> ScriptedDialogs::input(const QString& title, const QString& prompt,
                                              const QString& proposed)
{
    m_shown.push_back({Shown::Kind::Input, title, prompt + "\n" + proposed, Buttons::Ok, Icon::None, {}});
    if (m_texts.empty()) {
        ADD_FAILURE() << "unscripted input box: " << title.toStdString();
        return std::nullopt;
    }
    auto t = m_texts.front();
    m_texts.pop_front();
    return t;
}

std::optional<QString> ScriptedDialogs::openFile(const QString& title, const QString& folder,
                                                 const QString& filter)
{
    m_shown.push_back({Shown::Kind::OpenFile, title, folder, Buttons::Ok, Icon::None, filter});
    if (m_files.empty()) {
        ADD_FAILURE() << "unscripted open dialog: " << title.toStdString();
        return std::nullopt;
    }
    auto f = m_files.front();
    m_files.pop_front();
    return f;
}

std::optional<QString> ScriptedDialogs::saveFile(const QString& title, const QString& proposed,
                                                 const QString& filter)
{
    m_shown.push_back({Shown::Kind::SaveFile, title, proposed, Buttons::Ok, Icon::None, filter});
    if (m_files.empty()) {
        ADD_FAILURE() << "unscripted save dialog: " << title.toStdString();
        return std::nullopt;
    }
    auto f = m_files.front();
    m_files.pop_front();
    return f;
}

std::vector<ScriptedDialogs::Shown> ScriptedDialogs::messages() const
{
    std::vector<Shown> out;
    for (const auto& s : m_shown)
        if (s.kind == Shown::Kind::Message)
            out.push_back(s);
    return out;
}

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList out;
    for (const auto& s : messages())
        out << s.title + ": " + s.text;
    return out;
}

QStringList ScriptedDialogs::untitledTexts() const
{
    QStringList out;
    for (const auto& s : messages())
        out << s.text;
    return out;
}
