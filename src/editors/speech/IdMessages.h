#pragma once

#include "editors/SettingsEditor.h"
#include "editors/speech/MessageText.h"

class QLabel;
class QLineEdit;
class QListWidget;

// The identification of each port: three voice IDs and two CW IDs, typed or
// put in from the vocabulary and CW lists, the CW speed and tones, the extras
// spoken with each voice ID and whether speech IDs are on. The list that fits
// the message box last entered shows beside the pages, with its counter.
class ID final : public SettingsEditor {
    Q_OBJECT
public:
    explicit ID(AppContext& context, QWidget* parent = nullptr);

    // Put the word, or the CW character, chosen in its list at the caret of
    // the voice (or CW) box last entered, on whichever page it stands.
    void BuildVoiceMessage();
    void BuildCWMessage();

protected:
    void changed(int field, int index) override;
    void entered(int field, int index) override;

private:
    QWidget* portPage(int port);
    QWidget* listPanel();
    // The message box kind of a field; null for the other fields.
    const MessageBoxKind* boxOf(int field) const;
    void showLists(MessageKind kind);
    void insert(MessageKind kind, QListWidget* list);

    std::vector<std::pair<int, const MessageBoxKind*>> m_messageFields;
    QListWidget* m_vocabulary = nullptr;
    QListWidget* m_cw = nullptr;
    QLabel* m_vocabularyLabel = nullptr;
    QLabel* m_cwLabel = nullptr;
    QLabel* m_wordsLabel = nullptr;
    QLabel* m_charactersLabel = nullptr;
    QLineEdit* m_counter = nullptr;
};
