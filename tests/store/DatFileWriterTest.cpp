#include "StoreFixture.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// A value that passes the key's rule, differs from its default and survives
// the reader's normalisers unchanged.
QString validOther(const KeyStem& stem, int i)
{
    const QString n = QString::number(i);
    switch (stem.rule.check) {
    case Check::AsRead: return "v" + n;
    case Check::NotEmpty: return "x" + n;
    case Check::Number:
    case Check::MessageNum: {
        const QString top = QString::number(std::min(stem.rule.max, 32767.0));
        return top == stem.defaultValue(i) ? QString::number(stem.rule.min) : top;
    }
    case Check::Hours: return "0A";
    case Check::Calibration: return "-12.5";
    case Check::AtMost: return stem.key == u"Terminator" ? "#" : stem.key == u"Lock" ? "A1" : "9" + n;
    case Check::Upper: return "HELLO " + n;
    case Check::MacroCodes: return "001 002";
    case Check::Digits: return "1 2 3";
    case Check::Tone: return "1234";
    }
    return {};
}

QStringList lines(const QString& file)
{
    QString text = QString::fromLatin1(TempDir::read(file));
    text.chop(2);
    return text.split("\r\n");
}

} // namespace

TEST(DatFileWriter, NewFileFromDefaultsHasEverySectionInOrderAndEveryKey)
{
    StoreFixture f;
    f.saveDefaultsAs("new.dat");

    const QStringList all = lines(f.tables.CurrentDatFile);
    QStringList sections;
    int keys = 0;
    for (const auto& line : all) {
        if (line.startsWith('['))
            sections << line;
        else
            ++keys;
    }
    EXPECT_EQ(sections, (QStringList{"[Timers]", "[Alarms]", "[Scheduler]", "[Analog]", "[Remote]", "[ID]",
                                     "[Macros]", "[Courtesy]", "[IDExtras]", "[MessageMacros]", "[DTMF]",
                                     "[Unlock]", "[Autopatch]", "[PadTest]", "[PreAccess]", "[PreProgram]",
                                     "[MacroSubset]", "[DTMFMuteDigitSelect]", "[PortSwitches]"}));
    EXPECT_EQ(keys, ConfigurationKeys);

    const int timers = static_cast<int>(all.indexOf("[Timers]"));
    EXPECT_EQ(all[timers + 1], "HangTime(1)=50");
    EXPECT_EQ(all[timers + 12], "AuxTime(1)=50");
    EXPECT_EQ(all[timers + 13], "HangTime(2)=50");
    EXPECT_EQ(all[timers + 37], "FanTime=1");
    const int alarms = static_cast<int>(all.indexOf("[Alarms]"));
    EXPECT_EQ(all.mid(alarms + 1, 11),
              (QStringList{"GeneralTimer(1)=0", "GeneralTimerMacro(1)=1", "GeneralTimer(2)=0",
                           "GeneralTimerMacro(2)=1", "GeneralTimer(3)=0", "GeneralTimerMacro(3)=1",
                           "RouteAuxPort(1)=1", "RouteAuxPort(2)=1", "RouteAuxPort(3)=1",
                           "AlarmLowMacroNum(1)=1", "AlarmHighMacroNum(1)=1"}));
    EXPECT_TRUE(all.contains("Lock=C"));
    EXPECT_TRUE(all.contains("DTMF(20)=NONE STORED"));

    EXPECT_FALSE(f.tables.anySectionFlag());
    EXPECT_TRUE(f.tables.DataSaved);
    EXPECT_TRUE(f.tables.CommandPrefixChanged) << "item flags survive saving";
}

TEST(DatFileWriter, RoundTripOfNonDefaultValuesInEverySection)
{
    StoreFixture f;
    ForEachKey([&](const KeyStem& stem, int i) { stem.value(f.tables, i) = validOther(stem, i); });
    const SettingsTables written = f.tables;
    f.tables.CurrentDatFile = f.dir.path("site.dat");
    f.tables.setAllSectionFlags(true);
    ASSERT_TRUE(WriteDatFile(f.tables, f.profile).ok());

    StoreFixture g;
    g.read(f.tables.CurrentDatFile);
    EXPECT_TRUE(g.logLines().isEmpty()) << g.logLines().join('|').toStdString();
    EXPECT_FALSE(g.tables.anySectionFlag());
    EXPECT_FALSE(g.tables.CommandPrefixChanged);
    ForEachKey([&](const KeyStem& stem, int i) {
        SettingsTables& w = const_cast<SettingsTables&>(written);
        EXPECT_EQ(stem.value(g.tables, i), stem.value(w, i)) << stem.keyName(i).toStdString();
    });
    EXPECT_EQ(g.tables.Lock, "A1");
    EXPECT_EQ(g.tables.CurrentTerminator, "#");
}

TEST(DatFileWriter, OnlyTheFlaggedSectionsAndUnlockChangeAndExtrasSurvive)
{
    StoreFixture f;
    const QString file = f.dir.write("site.dat",
        "; kept comment\r\n[Mine]\r\nOwn=1\r\n[DTMF]\r\nDTMFDur=50\r\nExtra=keep\r\n[Timers]\r\nHangTime(1)=77\r\n");
    f.read(file);
    f.tables.setAllSectionFlags(false);
    f.tables.DTMFChanged = true;
    f.tables.DTMFMemoryChanged[3] = true;
    f.tables.HangTime[1] = "12";
    ASSERT_TRUE(WriteDatFile(f.tables, f.profile).ok());

    const QStringList all = lines(file);
    EXPECT_EQ(all.mid(0, 6), (QStringList{"; kept comment", "[Mine]", "Own=1", "[DTMF]", "DTMFDur=50", "Extra=keep"}))
        << "stored in place, the rest kept";
    EXPECT_TRUE(all.contains("HangTime(1)=77")) << "[Timers] was not flagged";
    EXPECT_TRUE(all.contains("[Unlock]"));
    EXPECT_FALSE(all.contains("[PortSwitches]"));
    EXPECT_FALSE(f.tables.DTMFChanged);
    EXPECT_TRUE(f.tables.DTMFMemoryChanged[3]);
}

TEST(DatFileWriter, AmendsOldTailMacrosAndEmptyPolarity)
{
    StoreFixture f;
    f.saveDefaultsAs("amend.dat");
    f.tables.P2MessageNum[3] = "0";
    f.tables.PLEncodePolarity[1] = "";
    f.tables.setAllSectionFlags(true);
    ASSERT_TRUE(WriteDatFile(f.tables, f.profile).ok());
    EXPECT_EQ(f.tables.P2MessageNum[3], "1");
    EXPECT_EQ(f.tables.PLEncodePolarity[1], "0");
    const QStringList all = lines(f.tables.CurrentDatFile);
    EXPECT_TRUE(all.contains("P2MessageNum(3)=1"));
    EXPECT_TRUE(all.contains("PLEncodePolarity(1)=0"));
}

TEST(DatFileWriter, AFailedSaveKeepsTheOldFileTheFlagsAndSaysWhy)
{
    StoreFixture f;
    f.saveDefaultsAs("locked.dat");
    const QByteArray before = TempDir::read(f.tables.CurrentDatFile);

    struct Target { QString file; bool readOnly; };
    const Target targets[] = {
        {f.tables.CurrentDatFile, true},
        {f.dir.path("no/such/folder/site.dat"), false},
    };
    for (const auto& target : targets) {
        if (target.readOnly)
            QFile::setPermissions(target.file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        f.tables.CurrentDatFile = target.file;
        f.tables.setAllSectionFlags(true);
        f.tables.DataSaved = false;
        f.tables.HangTime[1] = "99";
        const Status s = WriteDatFile(f.tables, f.profile);
        EXPECT_FALSE(s.ok()) << target.file.toStdString();
        EXPECT_TRUE(s.reason().contains(target.file)) << s.reason().toStdString();
        EXPECT_TRUE(f.tables.TimersChanged);
        EXPECT_TRUE(f.tables.anySectionFlag());
        EXPECT_FALSE(f.tables.DataSaved);
    }
    EXPECT_EQ(TempDir::read(targets[0].file), before);
    EXPECT_FALSE(QFile::exists(targets[1].file));
}
