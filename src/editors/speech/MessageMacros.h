#pragma once

#include "editors/SettingsEditor.h"

class ControllerLink;
class QLineEdit;
class QListWidget;

// The forty message macros, each up to nine words of the speech vocabulary,
// typed or put in from the vocabulary list, with the count of words of the
// box being edited; and the voice recorder's frame, which records a WAV file
// into a track at once.
class MessageMacros final : public SettingsEditor {
    Q_OBJECT
public:
    MessageMacros(AppContext& context, ControllerLink& link, QWidget* parent = nullptr);

    // Puts the word chosen in the list at the caret of the message box last
    // entered, on whichever page it stands.
    void BuildVoiceMessage();
    // Chooses the WAV file to record; a cancelled choice keeps the last one.
    void GetFile_Click();
    // Records the chosen file into the chosen track, the window disabled meanwhile.
    void SendToTarvex_Click();

protected:
    void changed(int field, int index) override;
    void entered(int field, int index) override;
    void left(int field, int index, bool typed) override;
    void afterCancel() override;

private:
    QWidget* page(const FormRow& row, int first);
    QWidget* listPanel();
    QWidget* recorderFrame();
    void showCount(int message);

    ControllerLink& m_link;
    int m_messages = -1;
    int m_track = 1; // CurrentDVRTrack
    QListWidget* m_vocabulary = nullptr;
    QLineEdit* m_counter = nullptr;
};
