#include "RandomBytes.h"
#include "StoreFixture.h"
#include "UnprivilegedUser.h"
#include "store/ConfigurationFile.h"

#include <QDir>
#include <QFile>
#include <optional>

namespace {

QString notConfiguration(const QString& file)
{
    return "\"" + QDir::toNativeSeparators(file) + "\" is not a configuration file: it holds none of the "
                                                    "configuration's sections.";
}

} // namespace

TEST(CheckDatFile, TakesConfigurationsAndNothingElse)
{
    StoreFixture f;
    const QString saved = f.saveDefaultsAs("saved.dat");
    struct Case {
        const char* what;
        std::optional<QByteArray> bytes; // nothing: no file
        bool accepted;
    } cases[] = {
        {"missing file", std::nullopt, true},
        {"empty file", "", true},
        {"blank lines", " \r\n\t\r\n", true},
        {"one section of the configuration", "[Timers]\r\nHangTime(1)=40\r\n", true},
        {"a section in another letter case", "; mine\r\n[ pORTsWITCHES ]\r\n", true},
        {"among other sections", "[Other]\r\n[DTMFMuteDigitSelect]\r\n", true},
        {"the settings file", "[Main]\r\nComPort=1\r\nLastTarvexFile=a.dat\r\n", false},
        {"keys without a section", "HangTime(1)=40\r\n", false},
        {"a text", "Dear owner,\r\nthe repeater is [down].\r\n", false},
        {"4 KiB of random bytes", RandomBytes(4096), false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = QStringLiteral("subject%1.dat").arg(++n);
        const QString file = f.dir.path(name);
        if (c.bytes)
            f.dir.write(name, *c.bytes);
        const Status checked = CheckDatFile(f.profile, file);
        EXPECT_EQ(checked.ok(), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(checked.reason(), notConfiguration(file));
        }
    }
    EXPECT_TRUE(CheckDatFile(f.profile, saved).ok());
}

// Root reads a file of mode 000, so the test runs as an ordinary user.
TEST(CheckDatFile, AFileThatCannotBeReadIsRefusedWithTheReason)
{
    const UnprivilegedUser user;
    TempDir dir;
    const QString file = dir.write("locked.dat", "[Timers]\r\nHangTime(1)=40\r\n");
    ASSERT_TRUE(QFile::setPermissions(file, QFile::Permissions()));
    IniFileProfile profile;
    const Status checked = CheckDatFile(profile, file);
    EXPECT_TRUE(checked.reason().startsWith("Cannot read \"" + QDir::toNativeSeparators(file) + "\": "))
        << checked.reason().toStdString();
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
}

TEST(WithDatExtension, AddsDatOnlyToANameWithoutAnExtension)
{
    struct Case {
        QString typed, written;
    } cases[] = {
        {"mine", "mine.dat"},
        {"/home/a/mine", "/home/a/mine.dat"},
        {"/home/a.b/mine", "/home/a.b/mine.dat"},
        {"C:\\Tarvex.1\\mine", "C:\\Tarvex.1\\mine.dat"},
        {"/home/a/.mine", "/home/a/.mine.dat"},
        {"/home/a/mine.", "/home/a/mine.dat"},
        {"/home/a/mine..", "/home/a/mine.dat"},
        {"/home/a/mine.txt.", "/home/a/mine.txt.dat"},
        {"/home/a/.mine.", "/home/a/.mine.dat"},
        {"/home/a/mine.dat", "/home/a/mine.dat"},
        {"/home/a/mine.DAT", "/home/a/mine.DAT"},
        {"/home/a/mine.txt", "/home/a/mine.txt"},
        {"/home/a/mine.2024.bak", "/home/a/mine.2024.bak"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithDatExtension(c.typed), c.written) << c.typed.toStdString();
}
