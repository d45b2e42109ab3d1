#pragma once

#include "store/SettingsTables.h"

#include <QString>
#include <optional>
#include <vector>

// A new access code typed in the access code editor.
struct NewCode {
    enum class Kind { PortUnlock, Lock, Terminator };
    Kind kind;
    int port = 0; // 1-3 for a port's unlock code
    QString code; // as the controller is to get it: the keys, upper-cased

    bool operator==(const NewCode&) const = default;
};

// A code as it is stored and sent: blanks around it dropped, letters
// upper-cased ("a" and "A" are one key).
QString NormalisedCode(const QString& typed);

// The codes of the "New" boxes in the order Apply sends them: the ports'
// unlock codes, the lock code, the terminator. A box that is empty, or holds
// blanks only, gives no code.
std::vector<NewCode> TypedCodes(const TextArray& portUnlock, const QString& lock, const QString& terminator);

// "the new lock code", "the new unlock code of port 2".
QString CodeName(const NewCode& code);

// Why the codes cannot be sent, naming the first one that breaks a rule:
// every code holds DTMF keys only (0-9, *, #, A-D); an unlock code has 1 to
// 8 keys, the lock code 1 to 4, the terminator exactly 1; and the lock code
// that will be in use differs from the terminator that will be. Nothing when
// all hold.
std::optional<QString> RefusalOf(const std::vector<NewCode>& codes, const SettingsTables& tables);
