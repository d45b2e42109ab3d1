#pragma once

#include "editors/SettingsEditor.h"

#include <array>

class ControllerLink;
class QLineEdit;
class QListWidget;

// The ninety macros: their functions, typed or built from the function list,
// their run codes and the ports allowed to run each; and the erase of every
// macro in the controller, sent at once.
class Macros final : public SettingsEditor {
    Q_OBJECT
public:
    Macros(AppContext& context, ControllerLink& link, QWidget* parent = nullptr);

    // Puts function `number` into the macro box last entered (long macro 1
    // before any), at the caret or over the selection it kept; 0, a separator
    // of the list, puts nothing. An insertion that passes the macro's slots
    // is undone, with the message.
    void BuildMacro(int number);
    // Asks, then erases every macro in the controller; once it has done so,
    // every macro of the configuration is "NONE STORED" too, to be saved.
    void Erase_Click();

protected:
    void changed(int field, int index) override;
    void entered(int field, int index) override;
    void left(int field, int index, bool typed) override;
    std::optional<Refusal> vetoApply() override;
    void afterApply(const std::vector<FieldElement>& written) override;

private:
    // Long macros (1 to 40) and short macros (41 to 90) alike.
    struct Kind {
        int first = 0; // the number of its macro 1
        int limit = 0; // its function slots
        FormRow contentsRow, codeRow; // placed once for each macro
        int contents = -1, code = -1; // fields
        std::vector<QLineEdit*> boxes; // the contents boxes, from index 1
    };
    QWidget* page(int first, int last);
    QWidget* portFrame();
    QWidget* functionPanel();
    Kind* kindOf(int field);
    // Shows the slots the box's text takes.
    void count(const Kind& kind, int index);

    ControllerLink& m_link;
    std::array<Kind, 2> m_kinds;
    QListWidget* m_functions = nullptr;
    QLineEdit* m_counter = nullptr;
    std::optional<FieldElement> m_entered; // the contents box with the focus
    bool m_inserting = false;              // a function from the list goes in
};
