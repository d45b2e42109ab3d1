#include "editors/speech/SpeechLists.h"

#include "link/Vocabulary.h"

namespace {

constexpr int FirstTrackWord = 236; // "DVR1"

} // namespace

QStringList VocabularyRows(bool trackRow)
{
    QStringList rows;
    const auto words = VoiceVocabulary();
    for (int n = 0; n < VoiceWordCount; ++n) {
        if (trackRow && n == FirstTrackWord)
            rows << QStringLiteral(" ");
        rows << words[n].toString();
    }
    return rows;
}

QStringList CwRows()
{
    QStringList rows;
    for (const CWCharacter& c : CWCharacters())
        rows << c.name.toString();
    return rows;
}
