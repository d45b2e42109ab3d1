#include "MemoryProfile.h"
#include "QtPrinters.h"
#include "store/AppSettings.h"
#include "store/SettingsTables.h"

#include <gtest/gtest.h>

TEST(AppSettings, TransportKeysTakeTheirLeadingNumberAndStaySane)
{
    struct Case { const char* key; const char* stored; const char* value; };
    const Case cases[] = {
        {"DTMFDelay", "", "0"}, {"DTMFDelay", " 120ms", "120"}, {"DTMFDelay", "-40", "0"},
        {"DTMFDelay", "1e12", "60000"}, {"DTMFDelay", "abc", "0"}, {"TxTemp", "250.6", "251"},
        {"WhichSend", " 1", "1"}, {"WhichSend", "", "0"},
        {"ComPort", " 3", "3"}, {"ComPort", "9", "0"}, {"ComPort", "-1", "0"}, {"ComPort", "x", "0"},
        {"DTMFComPort", " 8", "8"}, {"DTMFComPort", "2.5", "0"},
    };
    for (const auto& c : cases) {
        MemoryProfile profile;
        ASSERT_TRUE(profile.write("zarn.ini", "Main", c.key, c.stored).ok());
        SettingsTables t;
        ReadTransportSettings(t, profile, "zarn.ini");
        const QString got = QString(c.key) == "DTMFDelay" ? t.DTMFDelayValue
                            : QString(c.key) == "TxTemp"  ? t.KeyUpDelayValue
                            : QString(c.key) == "WhichSend" ? t.PTTLine
                            : QString(c.key) == "ComPort" ? t.ComPortValue
                                                          : t.DTMFComPortValue;
        EXPECT_EQ(got, c.value) << c.key << "=" << c.stored;
    }

    MemoryProfile profile;
    ASSERT_TRUE(profile.write("zarn.ini", "Main", "SerialDelay", "99999").ok());
    SettingsTables t;
    ReadTransportSettings(t, profile, "zarn.ini");
    EXPECT_EQ(t.SerialDelayValue, 60000);
}

TEST(AppSettings, WindowGeometryRoundTripAndBadKeysAreLeftOut)
{
    MemoryProfile profile;
    WindowGeometry g;
    g.width = 9600;
    g.height = 7200.5;
    g.top = 0;
    g.left = 300;
    g.state = 2;
    ASSERT_TRUE(WriteWindowGeometry(profile, "zarn.ini", "Update", g).ok());
    EXPECT_EQ(profile.writeCount(), 1);
    const WindowGeometry back = ReadWindowGeometry(profile, "zarn.ini", "Update");
    EXPECT_EQ(back.width, 9600);
    EXPECT_EQ(back.height, 7200.5);
    EXPECT_EQ(back.top, 0);
    EXPECT_EQ(back.left, 300);
    EXPECT_EQ(back.state, 2);

    ASSERT_TRUE(profile.write("zarn.ini", "Update", "Window Width", "wide").ok());
    ASSERT_TRUE(profile.write("zarn.ini", "Update", "Window State", "7").ok());
    const WindowGeometry bad = ReadWindowGeometry(profile, "zarn.ini", "Update");
    EXPECT_FALSE(bad.width);
    EXPECT_FALSE(bad.state);
    EXPECT_FALSE(ReadWindowGeometry(profile, "zarn.ini", "Manualsend").height);

    profile.setFailWrites("Disk full");
    const Status failed = WriteWindowGeometry(profile, "zarn.ini", "Update", g);
    EXPECT_FALSE(failed.ok());
    EXPECT_TRUE(failed.reason().contains("Disk full"));
}
