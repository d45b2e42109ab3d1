#pragma once

#include "platform/Dialogs.h"

class QWidget;

// The real dialogs: Qt's message boxes, input boxes and file dialogs.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& proposed) override;
    std::optional<QString> openFile(const QString& title, const QString& folder,
                                    const QString& filter) override;
    std::optional<QString> saveFile(const QString& title, const QString& proposed,
                                    const QString& filter) override;

private:
    QWidget* m_parent;
};
