#include "store/DatFileReader.h"

#include "platform/Dialogs.h"
#include "platform/Profile.h"
#include "store/ErrorLog.h"
#include "store/FilePlans.h"
#include "store/ProgramName.h"

namespace {

class Reader {
public:
    Reader(SettingsTables& tables, Profile& profile, ErrorLog& log, Dialogs& dialogs)
        : m_t(tables), m_profile(profile), m_log(log), m_dialogs(dialogs) {}

    void run()
    {
        for (const auto& part : ReaderPlan()) {
            if (part.lockAndTerminator)
                readLockAndTerminator(part);
            else if (part.loop == 0)
                for (const KeyStem* stem : part.stems)
                    readKey(*stem, 0);
            else
                for (int i = 1; i <= part.loop; ++i)
                    for (const KeyStem* stem : part.stems)
                        readKey(*stem, i);
        }
    }

private:
    QString read(const KeyStem& stem, int i)
    {
        return m_profile.read(m_t.CurrentDatFile, stem.section, stem.keyName(i));
    }

    // The text read, or its default when the rule refuses it.
    QString tested(const KeyStem& stem, int i)
    {
        KeyStem::Kept kept = stem.kept(read(stem, i), i);
        if (kept.replaced == KeyStem::Kept::Replaced::Refused)
            LogDatError(m_t, m_log, stem.logLabel(i));
        if (kept.replaced != KeyStem::Kept::Replaced::No && stem.saveFlag)
            m_t.*stem.saveFlag = true;
        return std::move(kept.text);
    }

    void readKey(const KeyStem& stem, int i) { stem.value(m_t, i) = tested(stem, i); }

    void readLockAndTerminator(const PlanPart& part)
    {
        const KeyStem& lock = *part.stems[0];
        const KeyStem& terminator = *part.stems[1];
        m_t.CurrentLock = tested(lock, 0);
        m_t.Lock = m_t.CurrentLock;
        // The terminator in use is the validated one: an empty or bad key would
        // leave every DTMF command unterminated.
        m_t.CurrentTerminator = tested(terminator, 0);
        m_t.Terminator = m_t.CurrentTerminator;
        // "d" and "D" are one key.
        if (m_t.CurrentLock.compare(m_t.CurrentTerminator, Qt::CaseInsensitive) == 0) {
            m_dialogs.message(ProgramName,
                              QStringLiteral("ERROR! Your Lock Code and Terminator Digit are the same. "
                                             "This is not allowed! You must change one or the other "
                                             "before you proceed further"));
            m_t.SelectSpecialCodes = true;
        }
    }

    SettingsTables& m_t;
    Profile& m_profile;
    ErrorLog& m_log;
    Dialogs& m_dialogs;
};

} // namespace

void ReadDatFile(SettingsTables& tables, Profile& profile, ErrorLog& log, Dialogs& dialogs)
{
    Reader(tables, profile, log, dialogs).run();
}
