#pragma once

#include "editors/SettingsEditor.h"

class QLineEdit;
class QListWidget;

// The forty message macros, each up to nine words of the speech vocabulary,
// typed or put in from the vocabulary list, with the count of words of the
// box being edited; and the voice recorder's frame.
class MessageMacros final : public SettingsEditor {
    Q_OBJECT
public:
    explicit MessageMacros(AppContext& context, QWidget* parent = nullptr);

    // Puts the word chosen in the list at the caret of the message box last
    // entered, on whichever page it stands.
    void BuildVoiceMessage();

protected:
    void changed(int field, int index) override;
    void entered(int field, int index) override;
    void left(int field, int index) override;
    void afterCancel() override;

private:
    QWidget* page(const FormRow& row, int first);
    QWidget* listPanel();
    QWidget* recorderFrame();
    void showCount(int message);

    int m_messages = -1;
    QListWidget* m_vocabulary = nullptr;
    QLineEdit* m_counter = nullptr;
};
