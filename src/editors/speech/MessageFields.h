#pragma once

#include "editors/EditorCopies.h"
#include "editors/speech/MessageText.h"

// A message box of a kind as a field of the editor pattern: its copy, the
// refusal of a typed token that is no word and of a change over the limit
// (undone, text and caret as before), the warning on entering a text over the
// limit, and the Apply gate over what it stores. `storedForm` is what Apply
// stores of the copy.
FieldDefinition MessageField(const MessageBoxKind& box, SettingBinding setting, IntakeRule storedForm);

// A message macro as stored: capitals, single blanks, none at the ends; no
// words at all is "NONE STORED".
QString StoredMessageMacro(const QString& text);
