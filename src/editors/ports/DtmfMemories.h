#pragma once

#include "editors/SettingsEditor.h"

class QLineEdit;
class QListWidget;

// The twenty DTMF memories, typed or built from the list of keys, with the
// count of keys of the memory being edited, and the DTMF tone duration and
// delay.
class DTMF final : public SettingsEditor {
    Q_OBJECT
public:
    explicit DTMF(AppContext& context, QWidget* parent = nullptr);

    // Puts the key chosen in the list into the memory box last clicked, at its
    // caret or over its selection; nothing when no box was clicked yet.
    void BuildDTMFMessage();

protected:
    void changed(int field, int index) override;
    void entered(int field, int index) override;

private:
    QWidget* memoryFrame(const FormRow& row, int first, int last);
    QWidget* keyPanel();
    QWidget* parameterFrame();
    void showCount(int memory);

    int m_memory = -1;
    QListWidget* m_keys = nullptr;
    QLineEdit* m_counter = nullptr;
};
