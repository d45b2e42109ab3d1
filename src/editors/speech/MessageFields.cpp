#include "editors/speech/MessageFields.h"

#include "store/TextHelpers.h"

namespace {

IntakeRule CopyRule(const MessageBoxKind& box) { return box.keepsTrailingBlanks ? &Intake::Upper : &UpperRightTrimmed; }

FieldCheck ChangeCheck(const MessageBoxKind& box)
{
    const auto faults = [&box](MessageFault fault) {
        return [&box, fault](const QString& text, const QString& before) { return FaultOfChange(box, before, text) == fault; };
    };
    FieldCheck notAToken = Plain(RefusingChange(faults(MessageFault::NotAToken), NotATokenMessage(box.kind)));
    FieldCheck tooLong = RefusingChange(faults(MessageFault::TooLong), QString::fromLatin1(box.limitMessage));
    FieldCheck check = FirstOf({notAToken, tooLong});
    check.when = FieldCheck::When::Change;
    check.repair = FieldCheck::Repair::Own;
    check.mend = [&box](const QString& refused, const QString& before) -> FieldCheck::Mend {
        if (FaultOfChange(box, before, refused) == MessageFault::NotAToken) {
            // Only the token just typed goes, and the blank that ended it.
            const TypedToken token = *TokenEndedByBlank(before, refused);
            return {WithoutTypedToken(before, token), token.start};
        }
        return {before, FieldCheck::Mend::CaretBefore};
    };
    return check;
}

} // namespace

FieldDefinition MessageField(const MessageBoxKind& box, SettingBinding setting, IntakeRule storedForm)
{
    FieldDefinition f = Field(setting, CopyRule(box));
    f.check = ChangeCheck(box);
    f.storedForm = storedForm;
    f.gate = [&box](const QString& stored) { return MessageRefusal(box, stored); };
    // Told on entering a text over the limit, which is not cut: a change that
    // passes it is refused by the check before it could be told.
    f.warning = FieldWarning{[&box](const QString& text) { return OverLimit(box, MessageCopy(box, text)); },
                             QString::fromLatin1(box.limitMessage), MessageStyle{}};
    return f;
}

QString StoredMessageMacro(const QString& text)
{
    const QString tidied = Intake::UpperCollapsed(text);
    return tidied.isEmpty() ? NoneStored : tidied;
}
