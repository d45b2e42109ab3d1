#pragma once

#include "editors/SettingsEditor.h"
#include "editors/ports/AccessCodeRules.h"

#include <memory>

class ControllerLink;
class QLineEdit;
struct OptionBoardFile;

// The access codes (each port's unlock code, the lock code, the terminator
// digit) with the user DTMF prefix, and the autopatch with its autodial
// numbers and toll restriction list, the pad test, pre-access and
// pre-program prefixes, the macro subset and the DTMF mute digit.
//
// New codes are checked and sent to the controller at once by Apply (so also
// by leaving the tab), and taken into use only once the controller has them;
// a box whose code was taken is emptied.
class SpecialCodes final : public SettingsEditor {
    Q_OBJECT
public:
    SpecialCodes(AppContext& context, ControllerLink& link, QWidget* parent = nullptr);
    ~SpecialCodes() override;

    // The start-up found the lock code equal to the terminator.
    void focusFirstEntry() override;
    // The settings only: a new code typed is neither checked nor sent, and
    // stays in its box for this editor's own Apply.
    bool applyForCommand() override;
    // The new codes typed, with their text.
    QStringList waitingToSend() const override;
    // The option board's memory as typed: its toll restriction entries in
    // the file's order in place of the list's, its answer code and rings.
    void showOptionBoard(const OptionBoardFile& board);

protected:
    std::optional<Refusal> vetoApply() override;
    void afterApply(const std::vector<FieldElement>& written) override;
    void afterCancel() override;

private:
    QWidget* accessCodes();
    QWidget* userDtmf();
    QWidget* autopatch();
    QWidget* autodial();
    QWidget* tollRestrict();
    QWidget* singleBox(const FormRow& row);

    std::vector<NewCode> typedCodes() const;
    QLineEdit* newBox(const NewCode& code) const;
    void showCurrentCodes();
    void TollAdd_Click();

    ControllerLink& m_link;
    std::unique_ptr<EntryList> m_toll;
    bool m_codesWait = false; // an Apply for a command is under way
    QLineEdit* m_tollEntry = nullptr;
};
