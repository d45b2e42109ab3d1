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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Selection {
        int start;
        int length;
    };

    QWidget* memoryFrame(const FormRow& row, int first, int last);
    QWidget* keyPanel();
    QWidget* parameterFrame();
    void showCount(int memory);

    int m_memory = -1;
    int m_target = 0; // the memory box last clicked; 0 for none
    // The target's selection, which leaving the box for the key list clears.
    std::optional<Selection> m_lostSelection;
    std::vector<QLineEdit*> m_boxes;
    QListWidget* m_keys = nullptr;
    QLineEdit* m_counter = nullptr;
};
