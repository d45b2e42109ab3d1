#include "FakeClock.h"
#include "MemoryProfile.h"
#include "TempDir.h"
#include "UnprivilegedUser.h"
#include "platform/IniFileProfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <optional>

namespace {

// The disk profile and the test double run the same cases and must agree.
class Subject {
public:
    virtual ~Subject() = default;
    virtual Profile& profile() = 0;
    virtual QString file() const = 0;
    virtual void put(const QByteArray& bytes) = 0;
    virtual QByteArray bytes() = 0;
};

class DiskSubject final : public Subject {
public:
    Profile& profile() override { return m_profile; }
    QString file() const override { return m_dir.path("settings.dat"); }
    void put(const QByteArray& bytes) override { m_dir.write("settings.dat", bytes); }
    QByteArray bytes() override { return TempDir::read(file()); }

private:
    TempDir m_dir;
    IniFileProfile m_profile;
};

class MemorySubject final : public Subject {
public:
    Profile& profile() override { return m_profile; }
    QString file() const override { return "settings.dat"; }
    void put(const QByteArray& bytes) override { m_profile.setBytes(file(), bytes); }
    QByteArray bytes() override { return m_profile.bytes(file()); }

private:
    MemoryProfile m_profile;
};

using MakeSubject = std::function<std::unique_ptr<Subject>()>;

const std::vector<std::pair<const char*, MakeSubject>>& subjects()
{
    static const std::vector<std::pair<const char*, MakeSubject>> all = {
        {"disk", [] { return std::make_unique<DiskSubject>(); }},
        {"memory", [] { return std::make_unique<MemorySubject>(); }},
    };
    return all;
}

std::unique_ptr<Subject> subjectWith(const MakeSubject& make, const std::optional<QByteArray>& file)
{
    auto subject = make();
    if (file)
        subject->put(*file);
    return subject;
}

const QByteArray Long300(300, 'x');

struct ReadCase {
    const char* what;
    std::optional<QByteArray> file; // nothing: there is no file
    QString section;
    QString key;
    QString expected;
};

const ReadCase ReadCases[] = {
    {"missing file", std::nullopt, "Main", "ComPort", ""},
    {"missing section", "[Other]\r\nComPort=1\r\n", "Main", "ComPort", ""},
    {"missing key", "[Main]\r\nOther=1\r\n", "Main", "ComPort", ""},
    {"empty value", "[Main]\r\nComPort=\r\n", "Main", "ComPort", ""},
    {"Default reads empty", "[Main]\r\nComPort=Default\r\n", "Main", "ComPort", ""},
    {"Default after trimming", "[Main]\r\nComPort= Default\t\r\n", "Main", "ComPort", ""},
    {"default in other case kept", "[Main]\r\nComPort=default\r\n", "Main", "ComPort", "default"},
    {"300 characters whole", "[Main]\r\nK=" + Long300 + "\r\n", "Main", "K", QString::fromLatin1(Long300)},
    {"blanks and tabs trimmed", "  [ Main ]\t\r\n \tComPort \t=\t 3 4 \t\r\n", "Main", "ComPort", "3 4"},
    {"caller's names trimmed", "[Main]\r\nComPort=1\r\n", " Main\t", "\tComPort ", "1"},
    {"quotes kept", "[Main]\r\nK=\"a b\"\r\n", "Main", "K", "\"a b\""},
    {"names ignore letter case", "[MAIN]\r\ncomport=1\r\n", "Main", "ComPort", "1"},
    {"value holds equals", "[Main]\r\nK=a=b\r\n", "Main", "K", "a=b"},
    {"first duplicated section wins", "[Main]\r\nK=1\r\n[main]\r\nK=2\r\nL=3\r\n", "Main", "K", "1"},
    {"second duplicated section unseen", "[Main]\r\nK=1\r\n[main]\r\nL=3\r\n", "Main", "L", ""},
    {"first duplicated key wins", "[Main]\r\nK=1\r\nk=2\r\n", "Main", "K", "1"},
    {"LF file", "[Main]\nK=1\nL=2\n", "Main", "L", "2"},
    {"byte-order mark", "\xEF\xBB\xBF[Main]\r\nK=1\r\n", "Main", "K", "1"},
    {"Latin-1 byte", "[Main]\r\nK=Caf\xE9\r\n", "Main", "K", QString::fromLatin1("Caf\xE9")},
    {"comments are not keys", "[Main]\r\n;K=1\r\n#K=2\r\n", "Main", "K", ""},
    {"last line without end", "[Main]\r\nK=1", "Main", "K", "1"},
    {"keys above the first header", "K=1\r\n[Main]\r\n", "Main", "K", ""},
    {"line without equals", "[Main]\r\nK\r\n", "Main", "K", ""},
    {"a lone CR ends a line", "[Main]\r\nK=1\r2\rL=3\r\n", "Main", "K", "1"},
    {"key after a lone CR", "[Main]\rK=1\rL=3\r\n", "Main", "L", "3"},
};

TEST(IniProfile, ReadsAsTheTableSays)
{
    for (const ReadCase& c : ReadCases) {
        for (const auto& [kind, make] : subjects()) {
            SCOPED_TRACE(std::string(c.what) + " on " + kind);
            auto subject = subjectWith(make, c.file);
            EXPECT_EQ(subject->profile().read(subject->file(), c.section, c.key), c.expected);
        }
    }
}

// What a file holds as a whole: the test of "is this a configuration file" rests on it.
TEST(IniProfile, OutlineGivesBlanknessAndSectionNames)
{
    struct Case {
        const char* what;
        std::optional<QByteArray> file;
        bool blank;
        QStringList sections;
    } cases[] = {
        {"missing file", std::nullopt, true, {}},
        {"empty file", "", true, {}},
        {"blanks, tabs and line ends", " \r\n\t\n\r", true, {}},
        {"byte-order mark only", "\xEF\xBB\xBF\r\n", true, {}},
        {"a comment", "; notes\r\n", false, {}},
        {"keys without a header", "K=1\r\n", false, {}},
        {"a NUL byte", QByteArray(1, '\0'), false, {}},
        {"names as written, trimmed, in order", " [ Timers ]\t\r\nK=1\n[b]\r[TIMERS]\r\n", false,
         {"Timers", "b", "TIMERS"}},
        {"a bracket without its end", "[Timers\r\n", false, {}},
    };
    for (const Case& c : cases) {
        for (const auto& [kind, make] : subjects()) {
            SCOPED_TRACE(std::string(c.what) + " on " + kind);
            auto subject = subjectWith(make, c.file);
            const ProfileOutline outline = subject->profile().outline(subject->file());
            EXPECT_TRUE(outline.readable.ok());
            EXPECT_EQ(outline.blank, c.blank);
            EXPECT_EQ(outline.sections, c.sections);
        }
    }
}

// Sections a write adds are named as they were given, after those the file held.
TEST(IniProfile, OutlineNamesTheSectionsWritesAdd)
{
    for (const auto& [kind, make] : subjects()) {
        SCOPED_TRACE(kind);
        auto subject = subjectWith(make, QByteArray(" [ Timers ]\r\nK=1\r\n"));
        ASSERT_TRUE(subject->profile().writeBatch(subject->file(), {{"Main", "k", "1"}, {"timers", "n", "2"}}).ok());
        ASSERT_TRUE(subject->profile().write(subject->file(), " Ports\t", "COM1", "/dev/ttyS0").ok());
        EXPECT_EQ(subject->profile().outline(subject->file()).sections, (QStringList{"Timers", "Main", "Ports"}));
    }
}

struct WriteCase {
    const char* what;
    std::optional<QByteArray> file;
    std::vector<ProfileEntry> writes;
    QByteArray expected;
};

const WriteCase WriteCases[] = {
    {"new file uses CR LF", std::nullopt, {{"Main", "ComPort", "1"}}, "[Main]\r\nComPort=1\r\n"},
    {"empty file", "", {{"A", "k", "1"}}, "[A]\r\nk=1\r\n"},
    {"new key at the end of a middle section",
     "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n; note\r\n\r\n[C]\r\nc=1\r\n", {{"B", "x", "2"}},
     "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\nx=2\r\n; note\r\n\r\n[C]\r\nc=1\r\n"},
    {"new key in a section without keys", "[A]\r\n; c\r\n[B]\r\n", {{"A", "k", "1"}},
     "[A]\r\nk=1\r\n; c\r\n[B]\r\n"},
    {"new section at the end, LF kept", "[A]\na=1\n", {{"Z", "k", "v"}}, "[A]\na=1\n[Z]\nk=v\n"},
    {"replace in place keeps every other byte", "; head\r\n[A]\r\n  a = 1\r\nb=2\r\ngarbage\r\n",
     {{"a", "A", "9"}}, "; head\r\n[A]\r\n  a =9\r\nb=2\r\ngarbage\r\n"},
    {"a value that begins with a blank is stored as given", "[Main]\r\nComPort= 2\r\n",
     {{"Main", "ComPort", " 3"}}, "[Main]\r\nComPort= 3\r\n"},
    {"first duplicates rewritten and extended", "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n",
     {{"A", "K", "9"}, {"A", "n", "4"}}, "[A]\r\nk=9\r\nk=2\r\nn=4\r\n[a]\r\nk=3\r\n"},
    {"values verbatim, empty as Key=", std::nullopt, {{"A", "k", ""}, {"A", "q", "\"x\" ;y=z"}},
     "[A]\r\nk=\r\nq=\"x\" ;y=z\r\n"},
    {"key after a last line without end", "[A]\r\na=1", {{"A", "b", "2"}}, "[A]\r\na=1\r\nb=2\r\n"},
    {"section after a last line without end", "[A]\na=1", {{"B", "b", "2"}}, "[A]\na=1\n[B]\nb=2\n"},
    {"byte-order mark kept", "\xEF\xBB\xBF[A]\r\na=1\r\n", {{"A", "a", "2"}},
     "\xEF\xBB\xBF[A]\r\na=2\r\n"},
    {"Latin-1 round trip", "[A]\r\nname=Caf\xE9\r\n", {{"A", "other", QString::fromLatin1("\xE9t\xE9")}},
     "[A]\r\nname=Caf\xE9\r\nother=\xE9t\xE9\r\n"},
    {"each line keeps its end, new lines take the first", "[A]\r\na=1\nb=2\r\n",
     {{"A", "a", "3"}, {"A", "c", "4"}}, "[A]\r\na=3\nb=2\r\nc=4\r\n"},
    {"first line end decides", "\n[A]\r\n", {{"A", "k", "1"}}, "\n[A]\r\nk=1\n"},
    {"names trimmed", std::nullopt, {{" A ", " k\t", "v"}}, "[A]\r\nk=v\r\n"},
    {"garbage and comments kept", "[A]\r\nnot a key\r\n=x\r\n", {{"A", "k", "1"}},
     "[A]\r\nk=1\r\nnot a key\r\n=x\r\n"},
    {"lines above the first header kept", "; by hand\r\nk=0\r\n", {{"A", "k", "1"}},
     "; by hand\r\nk=0\r\n[A]\r\nk=1\r\n"},
    {"lone CR ends kept", "[A]\ra=1\r2\rb=3", {{"A", "a", "4"}, {"A", "c", "5"}},
     "[A]\ra=4\r2\rb=3\r\nc=5\r\n"},
    {"same key twice in one batch", std::nullopt, {{"A", "k", "1"}, {"a", "K", "2"}}, "[A]\r\nk=2\r\n"},
};

TEST(IniProfile, WritesAsTheTableSays)
{
    for (const WriteCase& c : WriteCases) {
        for (const auto& [kind, make] : subjects()) {
            SCOPED_TRACE(std::string(c.what) + " on " + kind);
            auto oneByOne = subjectWith(make, c.file);
            for (const ProfileEntry& e : c.writes)
                EXPECT_TRUE(oneByOne->profile().write(oneByOne->file(), e.section, e.key, e.value).ok());
            EXPECT_EQ(oneByOne->bytes(), c.expected);

            auto batch = subjectWith(make, c.file);
            EXPECT_TRUE(batch->profile().writeBatch(batch->file(), c.writes).ok());
            EXPECT_EQ(batch->bytes(), c.expected);
            const ProfileEntry& last = c.writes.back();
            EXPECT_EQ(batch->profile().read(batch->file(), last.section, last.key), last.value.trimmed());
        }
    }
}

// Text that would change the file's structure, or not survive as Latin-1, is
// refused with a reason, and a batch holding it stores nothing.
TEST(IniProfile, UnstorableTextIsRefusedAndNothingChanges)
{
    const ProfileEntry refused[] = {
        {"A", "k", "1\r\n[B]"},          {"A", "k", "1\n"},  {"A", "k", "1\r"},
        {"A", "k", QStringLiteral("5 \u20AC")}, {"A", "a=b", "1"}, {"A", ";k", "1"},
        {"A", "[k]", "1"},               {"A", " ", "1"},    {"a]b", "k", "1"},
        {"", "k", "1"},                  {"A\nB", "k", "1"},
    };
    const QByteArray before = "[A]\r\nk=0\r\n";
    for (const ProfileEntry& bad : refused) {
        for (const auto& [kind, make] : subjects()) {
            SCOPED_TRACE((bad.section + "/" + bad.key + "=" + bad.value).toStdString() + " on " + kind);
            auto subject = subjectWith(make, before);
            const Status status =
                subject->profile().writeBatch(subject->file(), {{"A", "k", "1"}, {"A", "new", "2"}, bad});
            EXPECT_FALSE(status.ok());
            EXPECT_TRUE(status.reason().startsWith("Cannot store")) << status.reason().toStdString();
            EXPECT_EQ(subject->bytes(), before);
            EXPECT_EQ(subject->profile().read(subject->file(), "A", "k"), "0");
        }
    }
}

// A path under a regular file fails for root too, unlike a read-only folder.
TEST(IniFileProfile, WriteIntoAMissingOrImpossibleFolderFailsWithReason)
{
    TempDir dir;
    dir.write("plain.txt", "not a folder");
    for (const QString& file : {dir.path("missing/settings.dat"), dir.path("plain.txt/inner.dat")}) {
        SCOPED_TRACE(file.toStdString());
        IniFileProfile profile;
        const Status status = profile.write(file, "Main", "ComPort", "1");
        ASSERT_FALSE(status.ok());
        const QString prefix = "Cannot write \"" + QDir::toNativeSeparators(file) + "\": ";
        EXPECT_TRUE(status.reason().startsWith(prefix)) << status.reason().toStdString();
        EXPECT_GT(status.reason().size(), prefix.size());
        EXPECT_EQ(profile.read(file, "Main", "ComPort"), "");
    }
    EXPECT_FALSE(QFileInfo::exists(dir.path("missing")));
    EXPECT_EQ(TempDir::read(dir.path("plain.txt")), "not a folder");
}

// The write bits decide, so this holds for root as well.
TEST(IniFileProfile, ReadOnlyFileIsRefusedAndStaysByteIdentical)
{
    TempDir dir;
    const QByteArray before = "[Main]\nComPort=1\n";
    const QString file = dir.write("settings.dat", before);
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    IniFileProfile profile;
    EXPECT_EQ(profile.read(file, "Main", "ComPort"), "1");

    const Status single = profile.write(file, "Main", "ComPort", "2");
    const Status batch = profile.writeBatch(file, {{"Main", "ComPort", "2"}, {"New", "k", "v"}});
    for (const Status& status : {single, batch}) {
        ASSERT_FALSE(status.ok());
        EXPECT_EQ(status.reason(), "Cannot write \"" + QDir::toNativeSeparators(file) +
                                       "\": " + qt_error_string(EACCES));
    }
    EXPECT_EQ(TempDir::read(file), before);
    EXPECT_EQ(profile.read(file, "Main", "ComPort"), "1");
    EXPECT_EQ(profile.read(file, "New", "k"), "");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
}

// Reading it as empty and writing would wipe every other key.
TEST(IniFileProfile, FileThatCannotBeReadIsNeverOverwritten)
{
    const UnprivilegedUser user;
    TempDir dir;
    const QByteArray before = "[Main]\r\nComPort=1\r\n";
    const QString file = dir.write("settings.dat", before);
    ASSERT_TRUE(QFile::setPermissions(file, QFile::Permissions()));
    ASSERT_FALSE(QFile(file).open(QIODevice::ReadOnly));
    IniFileProfile profile;
    EXPECT_EQ(profile.read(file, "Main", "ComPort"), "");
    const QString cannotRead = "Cannot read \"" + QDir::toNativeSeparators(file) + "\": ";
    const ProfileOutline outline = profile.outline(file);
    EXPECT_TRUE(outline.readable.reason().startsWith(cannotRead)) << outline.readable.reason().toStdString();
    EXPECT_FALSE(outline.blank);
    const Status status = profile.write(file, "Main", "Other", "2");
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.reason().startsWith(cannotRead));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(TempDir::read(file), before);
}

void changeBehind(const QString& file, const QByteArray& bytes)
{
    const QDateTime was = QFileInfo(file).lastModified();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    ASSERT_TRUE(f.flush()); // before the time is set, or closing sets it to now
    ASSERT_TRUE(f.setFileTime(was.addSecs(5), QFileDevice::FileModificationTime));
}

// A read looks at the file again once the clock has moved on; a write always does.
TEST(IniFileProfile, FileChangedBehindTheCacheIsReadAgain)
{
    TempDir dir;
    const QString file = dir.path("settings.dat");
    FakeClock clock;
    IniFileProfile profile(clock);
    EXPECT_EQ(profile.read(file, "Main", "K"), "");

    const auto readLater = [&] {
        clock.sleep(1);
        return profile.read(file, "Main", "K");
    };
    dir.write("settings.dat", "[Main]\r\nK=1\r\n"); // appears
    EXPECT_EQ(readLater(), "1");
    changeBehind(file, "[Main]\r\nK=2\r\n"); // same size, other time
    EXPECT_EQ(readLater(), "2");
    changeBehind(file, "[Main]\r\nK=33\r\nOther=x\r\n");
    EXPECT_EQ(readLater(), "33");

    // With no time gone by: what is on disk now, not the old cache.
    changeBehind(file, "[Main]\r\nK=4\r\nByHand=y\r\n");
    ASSERT_TRUE(profile.write(file, "Main", "New", "n").ok());
    EXPECT_EQ(TempDir::read(file), "[Main]\r\nK=4\r\nByHand=y\r\nNew=n\r\n");
    EXPECT_EQ(profile.read(file, "Main", "ByHand"), "y");

    ASSERT_TRUE(QFile::remove(file)); // disappears
    EXPECT_EQ(readLater(), "");
}

TEST(IniFileProfile, SymbolicLinkIsWrittenThroughAndStaysALink)
{
    TempDir dir;
    const QString target = dir.write("real.dat", "[Main]\r\nK=1\r\n");
    const QString link = dir.path("link.dat");
    ASSERT_TRUE(QFile::link(target, link));
    IniFileProfile profile;
    ASSERT_TRUE(profile.write(link, "Main", "K", "2").ok());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(TempDir::read(target), "[Main]\r\nK=2\r\n");
    EXPECT_EQ(profile.read(link, "Main", "K"), "2");
    EXPECT_EQ(IniFileProfile().read(target, "Main", "K"), "2");
}

TEST(IniFileProfile, PermissionsAreKept)
{
    TempDir dir;
    const QString file = dir.write("settings.dat", "[Main]\r\nK=1\r\n");
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(file, mode));
    IniFileProfile profile;
    ASSERT_TRUE(profile.writeBatch(file, {{"Main", "K", "2"}, {"Main", "L", "3"}}).ok());
    EXPECT_EQ(QFileInfo(file).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
              mode);
    EXPECT_EQ(TempDir::read(file), "[Main]\r\nK=2\r\nL=3\r\n");
}

TEST(MemoryProfile, BatchIsOneStoreAndFailingWritesChangeNothing)
{
    MemoryProfile profile;
    profile.setBytes("a.dat", "[A]\r\nk=0\r\n");
    ASSERT_TRUE(profile.writeBatch("a.dat", {{"A", "k", "1"}, {"A", "l", "2"}, {"B", "m", "3"}}).ok());
    EXPECT_EQ(profile.writeCount(), 1);
    ASSERT_TRUE(profile.writeBatch("a.dat", {}).ok());
    EXPECT_EQ(profile.writeCount(), 1);

    profile.setFailWrites("No space left on device");
    const Status status = profile.write("a.dat", "A", "k", "9");
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.reason(), "Cannot write \"a.dat\": No space left on device");
    EXPECT_FALSE(profile.write("new.dat", "A", "k", "9").ok());
    EXPECT_EQ(profile.bytes("a.dat"), "[A]\r\nk=1\r\nl=2\r\n[B]\r\nm=3\r\n");
    EXPECT_EQ(profile.bytes("new.dat"), "");
    EXPECT_EQ(profile.read("a.dat", "A", "k"), "1");
    EXPECT_EQ(profile.writeCount(), 1);

    profile.setFailWrites({});
    EXPECT_TRUE(profile.write("a.dat", "A", "k", "9").ok());
    EXPECT_EQ(profile.writeCount(), 2);
}

} // namespace
