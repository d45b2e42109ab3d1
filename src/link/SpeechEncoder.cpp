#include "link/SpeechEncoder.h"

#include "link/Vocabulary.h"

#include <optional>

namespace {

using CodeLookup = std::optional<QString> (*)(QStringView);

EncodedText encode(QStringView text, bool dtmfMode, CodeLookup lookup)
{
    EncodedText result;
    for (QStringView token : text.split(u' ', Qt::SkipEmptyParts)) {
        if (const auto code = lookup(token)) {
            result.codes += *code;
            if (dtmfMode) {
                result.codes += u' ';
            }
        } else if (!result.unknown.contains(token)) {
            result.unknown.append(token.toString());
        }
    }
    return result;
}

} // namespace

EncodedText VoiceToCodes(QStringView text, bool dtmfMode)
{
    return encode(text, dtmfMode, VoiceWordCode);
}

EncodedText CWToCodes(QStringView text, bool dtmfMode)
{
    return encode(text, dtmfMode, CWCharCode);
}
