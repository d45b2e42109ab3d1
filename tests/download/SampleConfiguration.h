#pragma once

#include "download/LoadEram.h"
#include "download/MemoryLayout.h"
#include "store/KeyRegistry.h"
#include "link/Vocabulary.h"
#include "store/TextHelpers.h"

#include <QRandomGenerator>
#include <QStringList>

// A configuration with a value in every field of the image, each in a form the
// image carries back. Left out, as no image can hold them: a DisableTimeout
// that does not follow its inactivity timer, a week under a one-digit day, a
// message holding "ZERO", a "D" in a macro's code, texts longer than their
// field, a byte of 255 in a calibration word, negative clock corrections, and
// numbers the configuration file reader refuses (the parse stores its
// default for them), the erased byte giving the empty text among them.
class SampleConfiguration {
public:
    explicit SampleConfiguration(quint32 seed) : m_random(seed) {}

    void fill(SettingsTables& t)
    {
        for (const LayoutRow& row : MemoryLayout())
            if (row.setting.isSet() && !row.sharesLines)
                for (int e = 1; e <= row.count; ++e)
                    row.setting.at(t, e) = value(row);
        for (int p = 1; p <= Count::Ports; ++p) {
            t.DisableTimeout[p] = t.InActiveTime[p] == u"0" ? "1" : "0";
            t.CWID1Length[p] = QString::number(t.CWID1[p].split(u' ').size());
            t.CWID2Length[p] = QString::number(t.CWID2[p].split(u' ').size());
            t.VoiceID1Length[p] = QString::number(t.VoiceID1[p].split(u' ').size());
            t.VoiceID2Length[p] = QString::number(t.VoiceID2[p].split(u' ').size());
            t.VoiceID3Length[p] = QString::number(t.VoiceID3[p].split(u' ').size());
        }
        t.InActiveTime[2] = "0";
        t.DisableTimeout[2] = "1";
        for (int i = 1; i <= Count::SetPoints; ++i) {
            // Monthly on odd set points; the others keep the week they had.
            const bool monthly = i % 2;
            t.Monthly[i] = monthly ? "1" : "0";
            if (monthly)
                t.Week[i] = QString::number(number(1, 5));
            t.DOW[i] = QString::number(number(0, 9));
            t.Hours[i] = pick({"0A", "25", two(number(0, 23))});
            t.Minutes[i] = two(number(0, 59));
            t.MacroToRun[i] = two(number(1, 90));
        }
        for (int i = 1; i <= Count::Meters; ++i)
            t.Meter[i] = QString::number(number(1, 6));
        for (int p = 1; p <= Count::Ports; ++p)
            t.InActivityMacro[p] = QString::number(number(1, 90));
        t.SayHour = QString::number(number(0, 1));
        t.Lock = t.CurrentLock;
        t.CurrentTerminator = t.Terminator;
    }

private:
    int number(int low, int high) { return low + int(m_random.bounded(high - low + 1)); }
    QString two(int n) { return QString::number(n).rightJustified(2, u'0'); }
    QString pick(const QStringList& choices) { return choices[number(0, int(choices.size()) - 1)]; }
    QString characters(int most, const char* from = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789*#-")
    {
        const QString set = QString::fromLatin1(from);
        QString s;
        for (int i = number(1, most); i > 0; --i)
            s += set[number(0, int(set.size()) - 1)];
        return s;
    }
    QString words(int most, int firstWord, int lastWord)
    {
        QStringList w;
        for (int i = number(1, most); i > 0; --i)
            w << VoiceVocabulary()[number(firstWord, lastWord)].toString();
        return w.join(u' ');
    }
    QString cwNames(int most)
    {
        QStringList w;
        for (int i = number(1, most); i > 0; --i)
            w << CWCharacters()[number(0, CWCharCount - 1)].name.toString();
        return w.join(u' ');
    }
    QString commands(int lines)
    {
        QStringList c;
        for (int left = lines - 1; left > 0;) {
            const int command = number(1, 490);
            left -= command >= 255 ? 2 : 1;
            if (left >= 0)
                c << QString::number(command).rightJustified(3, u'0');
        }
        return c.join(u' ');
    }

    // A number the field carries, within the range of the key it is read
    // under, in the reader's form.
    QString numberFor(const LayoutRow& row, int low, int high)
    {
        const KeyStem* stem = ReaderStemOf(row.setting);
        if (!stem)
            return QString::number(number(low, high));
        const ValueRule& rule = stem->rule;
        if (rule.check == Check::Number || rule.check == Check::Tone || rule.check == Check::MessageNum) {
            low = std::max(low, int(rule.min));
            high = int(std::min<double>(high, rule.max));
        }
        return rule.finished(QString::number(number(low, high)));
    }

    QString value(const LayoutRow& row)
    {
        switch (row.encoding) {
        case Encoding::Word: return numberFor(row, 1, 65535);
        case Encoding::Word255As0: return QString::number(number(0, 254) + 256 * number(0, 254));
        case Encoding::Text:
        case Encoding::PaddedText: return characters(row.width - 1);
        case Encoding::FrequencyText: return characters(7, "0123456789");
        case Encoding::DTMFMemoryText: return SpaceOutDigits(characters(11, "0123456789*#ABCD"));
        case Encoding::DTMFCode: return characters(8, "0123456789*#ABC");
        case Encoding::MacroCommands: return commands(row.width);
        // Word 0 ends a message and 255 is a gap in one.
        case Encoding::MessageWords: return words(9, 1, VoiceWordCount - 2);
        case Encoding::CWText: return cwNames(15);
        case Encoding::VoiceText: return words(22, 0, VoiceWordCount - 1);
        case Encoding::Plain255Empty: return numberFor(row, 0, 254);
        default: return numberFor(row, 1, 254);
        }
    }

    QRandomGenerator m_random;
};
