#include "editors/EditorCopies.h"
#include "store/KeyRegistry.h"
#include "store/SettingsNotices.h"

#include <gtest/gtest.h>

using S = SettingsTables;

namespace {

struct CopiesFixture : testing::Test {
    SettingsTables tables;
    SettingsNotices notices;
    EditorCopies copies{tables, &notices, {&S::TimersChanged, &S::AlarmsChanged}};
    int hang = -1, fan = -1, vref = -1;

    void SetUp() override
    {
        tables.HangTime[1] = "050";
        tables.HangTime[2] = "50";
        tables.HangTime[3] = "60";
        tables.FanTime = " 5 ";
        tables.Vref = "2.5";
        tables.DataSaved = true;
        hang = copies.add(Field(Bind(&S::HangTime, &S::HangTimeChanged), Intake::Number));
        fan = copies.add(Field(Bind(&S::FanTime, &S::FanTimeChanged), Intake::Trimmed, LoadForm::Trimmed));
        vref = copies.add(Field(Bind(&S::Vref, &S::MeterChanged, 9)));
    }
};

TEST_F(CopiesFixture, LoadsCopiesInTheirLoadFormAndComparesTextExactly)
{
    EXPECT_EQ(copies.count(hang), 3);
    EXPECT_EQ(copies.count(fan), 1);
    EXPECT_EQ(copies.copy(hang, 1), "050");
    EXPECT_EQ(copies.copy(fan, 1), "5");
    EXPECT_FALSE(copies.differs(hang, 1));
    EXPECT_TRUE(copies.differs(fan, 1)); // " 5 " is not "5"

    copies.take(hang, 1, "50");
    EXPECT_TRUE(copies.differs(hang, 1)) << "050 and 50 are different texts";
    copies.take(hang, 1, "050");
    EXPECT_EQ(copies.copy(hang, 1), "50") << "a number box keeps the number's digits";
}

TEST_F(CopiesFixture, IntakeOfEachKind)
{
    struct Case {
        int* field;
        QString text;
        QString copy;
    } cases[] = {
        {&hang, "007", "7"}, {&hang, "", "0"}, {&hang, "12abc", "12"}, {&hang, "-5", "-5"},
        {&fan, "  9 ", "9"}, {&fan, "", ""}, {&vref, " 2.5", " 2.5"},
    };
    for (const Case& c : cases) {
        copies.take(*c.field, 1, c.text);
        EXPECT_EQ(copies.copy(*c.field, 1), c.copy) << c.text.toStdString();
    }
}

TEST_F(CopiesFixture, ApplyRaisesItemGroupAndSectionFlagsOnlyForDifferences)
{
    copies.take(hang, 3, "61");
    copies.take(vref, 1, "2.6");
    tables.FanTime = "5"; // now equal to its trimmed copy
    EXPECT_FALSE(copies.apply().empty());

    EXPECT_FALSE(tables.HangTimeChanged[1]);
    EXPECT_FALSE(tables.HangTimeChanged[2]);
    EXPECT_TRUE(tables.HangTimeChanged[3]);
    EXPECT_TRUE(tables.MeterChanged[9]) << "the group's fixed element";
    EXPECT_FALSE(tables.MeterChanged[1]);
    EXPECT_FALSE(tables.FanTimeChanged);
    EXPECT_TRUE(tables.TimersChanged);
    EXPECT_TRUE(tables.AlarmsChanged);
    EXPECT_FALSE(tables.DataSaved);
    EXPECT_EQ(tables.HangTime[3], "61");
    EXPECT_EQ(tables.Vref, "2.6");

    // A second Apply finds nothing new.
    tables.HangTimeChanged.fill(false);
    tables.MeterChanged.fill(false);
    tables.TimersChanged = tables.AlarmsChanged = false;
    tables.DataSaved = true;
    EXPECT_TRUE(copies.apply().empty());
    EXPECT_FALSE(tables.HangTimeChanged.any(true));
    EXPECT_FALSE(tables.MeterChanged.any(true));
    EXPECT_FALSE(tables.TimersChanged);
    EXPECT_TRUE(tables.DataSaved);
}

// A code is kept as the keys it names.
TEST(EditorCopiesCodeTest, CodesAreTrimmedAndUpperCased)
{
    SettingsTables t;
    t.CommandPrefix = "48315";
    EditorCopies c(t, nullptr, {&S::SpecialCodesChanged});
    const int prefix = c.add(Field(Bind(&S::CommandPrefix, &S::CommandPrefixChanged), Intake::Code));
    struct Case {
        QString typed;
        QString copy;
    } cases[] = {{" a1b ", "A1B"}, {"", ""}, {"*#d", "*#D"}, {"none", "NONE"}};
    for (const Case& k : cases) {
        c.take(prefix, 1, k.typed);
        EXPECT_EQ(c.copy(prefix, 1), k.copy) << k.typed.toStdString();
    }
}

TEST_F(CopiesFixture, EditedBackToStoredSetsNoFlag)
{
    copies.take(hang, 2, "70");
    copies.take(hang, 2, "50");
    copies.load(fan, 1);
    tables.FanTime = "5";
    EXPECT_TRUE(copies.apply().empty());
    EXPECT_TRUE(tables.DataSaved);
}

TEST(EditorCopiesIntakeTest, UpperCasedCopiesAndAnArrayUnderOneFlag)
{
    SettingsTables t;
    t.FreqString.fill("1465202");
    t.DataSaved = true;
    EditorCopies c(t, nullptr, {&S::RemoteChanged});
    const int memory = c.add(Field(Bind(&S::FreqString, &S::RemoteMemoryChanged), Intake::Upper));
    c.take(memory, 4, "1465203");
    c.take(memory, 7, "abc d");
    EXPECT_EQ(c.copy(memory, 7), "ABC D");
    EXPECT_EQ(c.apply(), (std::vector<FieldElement>{{memory, 4}, {memory, 7}}));
    EXPECT_TRUE(t.RemoteMemoryChanged) << "one flag for every element";
    EXPECT_EQ(t.FreqString[4], "1465203");
    EXPECT_EQ(t.FreqString[7], "ABC D");
    EXPECT_TRUE(t.RemoteChanged);

    t.RemoteMemoryChanged = false;
    EXPECT_TRUE(c.apply().empty());
    EXPECT_FALSE(t.RemoteMemoryChanged);
}

// Blanks at the ends of the stored text are no change while shown trimmed.
TEST(EditorCopiesShownTrimmedTest, TheStoredTextShownTrimmedIsNoChange)
{
    SettingsTables t;
    t.DTMFMemory.fill("4 5 6 ");
    t.DTMFMemory[2] = "1 2";
    t.DataSaved = true;
    EditorCopies c(t, nullptr, {&S::DTMFChanged});
    const int memory = c.add(Field(Bind(&S::DTMFMemory, &S::DTMFMemoryChanged), Intake::Upper, LoadForm::ShownTrimmed));
    EXPECT_EQ(c.copy(memory, 1), "4 5 6 ");
    EXPECT_EQ(c.shownText(memory, 1), "4 5 6");
    c.take(memory, 1, "4 5 6");
    EXPECT_FALSE(c.differs(memory, 1));
    c.take(memory, 3, "4 5 6 7");
    EXPECT_EQ(c.shownText(memory, 3), "4 5 6 7");
    c.take(memory, 4, "a 5 6");
    EXPECT_EQ(c.copy(memory, 4), "A 5 6") << "any other text through the intake";
    c.take(memory, 2, "1 2 ");
    EXPECT_EQ(c.apply(), (std::vector<FieldElement>{{memory, 2}, {memory, 3}, {memory, 4}}));
    EXPECT_EQ(t.DTMFMemory[1], "4 5 6 ");
    EXPECT_EQ(t.DTMFMemory[2], "1 2 ") << "a blank the user typed is a change";
    c.restore(memory, 5);
    EXPECT_EQ(c.copy(memory, 5), "4 5 6 ");
}

TEST(FieldCheckTest, ARangeReadsTheLeadingNumberAndAnEmptyTextAsZero)
{
    const FieldCheck hang = Between(0, 255, "The value must be between 0 and 255");
    const FieldCheck fromOne = Between(1, 9999, "x");
    struct Case {
        const FieldCheck* rule;
        QString text;
        bool refused;
    } cases[] = {
        {&hang, "0", false}, {&hang, "255", false}, {&hang, "256", true}, {&hang, "-5", true},
        {&hang, "", false},  {&hang, "300ms", true}, {&hang, "25x", false}, {&fromOne, "", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rule->refuses(c.text), c.refused) << c.text.toStdString();
    EXPECT_EQ(hang.title, "Try Again!");
    EXPECT_EQ(hang.icon, Dialogs::Icon::Critical);
}

TEST(EditorCopiesReaderTest, ChangedCopiesTheReaderWouldRefuseAreFound)
{
    SettingsTables t;
    t.XmtDelay = "1000";
    t.GeneralTimer.fill("0");
    EditorCopies c(t, nullptr, {&S::TimersChanged});
    FieldDefinition delay = Field(Bind(&S::XmtDelay, &S::XmtDelayChanged));
    delay.reader = &FindStem("XmtDelay").rule;
    const int d = c.add(delay);
    FieldDefinition general = Field(Bind(&S::GeneralTimer, &S::GeneralTimerChanged), Intake::Trimmed);
    general.reader = &FindStem("GeneralTimer").rule;
    const int g = c.add(general);

    EXPECT_TRUE(c.refusals().empty());
    c.setCopy(d, 1, "");
    c.setCopy(g, 2, "12a");
    c.setCopy(g, 3, "40");
    const auto found = c.refusals();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].element, (FieldElement{d, 1}));
    EXPECT_EQ(found[1].element, (FieldElement{g, 2}));
    EXPECT_EQ(found[1].reason, "\"12a\" cannot be stored, because the configuration file could not read it back");
    EXPECT_EQ(c.repairText(g, 2, FieldCheck::Repair::Stored, "7", "12a").text, "0");
    EXPECT_EQ(c.repairText(g, 2, FieldCheck::Repair::Zero, "7", "12a").text, "0");
    EXPECT_EQ(c.repairText(g, 2, FieldCheck::Repair::Empty, "7", "12a").text, "");
    EXPECT_EQ(c.repairText(g, 2, FieldCheck::Repair::Previous, "7", "12a").text, "7");
}

TEST_F(CopiesFixture, ApplyTellsTheOthersOfEachElementItWrote)
{
    std::vector<SettingElement> told;
    const int other = notices.listen(nullptr, [&told](const SettingElement& e) { told.push_back(e); });
    int own = 0;
    const int self = notices.listen(&copies, [&own](const SettingElement&) { ++own; });
    copies.take(hang, 3, "61");
    copies.take(vref, 1, "2.6");
    EXPECT_FALSE(copies.apply().empty());
    // The fan time was stored with blanks, so its trimmed copy differs too.
    EXPECT_EQ(told, (std::vector<SettingElement>{ElementOf(&S::HangTime, 3), ElementOf(&S::FanTime),
                                                 ElementOf(&S::Vref)}));
    EXPECT_EQ(own, 0) << "the writer is not told of its own writes";
    told.clear();
    EXPECT_TRUE(copies.apply().empty());
    EXPECT_TRUE(told.empty());
    notices.stopListening(other);
    notices.stopListening(self);
}

TEST_F(CopiesFixture, AnOutsideWriteReplacesACopyOnlyWhenItWasNotEdited)
{
    copies.take(hang, 1, "70"); // edited
    tables.HangTime[1] = "80";
    tables.HangTime[2] = "90";
    EXPECT_FALSE(copies.takeOutside(hang, 1));
    EXPECT_EQ(copies.copy(hang, 1), "70");
    EXPECT_TRUE(copies.takeOutside(hang, 2));
    EXPECT_EQ(copies.copy(hang, 2), "90");
    EXPECT_FALSE(copies.edited(hang, 2));

    // An edit that equals the new value is no longer an edit.
    copies.take(hang, 3, "75");
    tables.HangTime[3] = "75";
    copies.takeOutside(hang, 3);
    EXPECT_FALSE(copies.edited(hang, 3));

    EXPECT_FALSE(copies.apply().empty());
    EXPECT_EQ(tables.HangTime[1], "70") << "the user's edit is applied over it";
    EXPECT_EQ(tables.HangTime[2], "90");
    EXPECT_FALSE(tables.HangTimeChanged[2]);
    EXPECT_FALSE(tables.HangTimeChanged[3]);

    const auto found = copies.find(ElementOf(&S::HangTime, 2));
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, (FieldElement{hang, 2}));
    EXPECT_EQ(copies.find(ElementOf(&S::FanTime)), (FieldElement{fan, 1}));
    EXPECT_FALSE(copies.find(ElementOf(&S::TimeOut, 1)));
}

// A field raises the sections it names, or the editor's; an Apply of one
// field raises only that field's.
TEST(EditorCopiesSectionTest, AnApplyRaisesOnlyTheSectionsOfWhatItStored)
{
    SettingsTables t;
    t.VoiceID1.fill("HELLO");
    t.ID1Extras.fill("0");
    t.CommandPrefix = "1";
    t.DataSaved = true;
    EditorCopies c(t, nullptr, {&S::IDChanged});
    const int voice = c.add(Field(Bind(&S::VoiceID1, &S::VoiceID1Changed)));
    FieldDefinition extras = Field(Bind(&S::ID1Extras, &S::ID1ExtrasChanged));
    extras.sections = {{&S::IDExtrasChanged}};
    const int extra = c.add(extras);
    FieldDefinition prefix = Field(Bind(&S::CommandPrefix, &S::CommandPrefixChanged));
    prefix.sections = std::vector<bool S::*>{}; // a section that is always written
    const int pre = c.add(prefix);

    c.take(extra, 2, "4");
    EXPECT_EQ(c.apply(), (std::vector<FieldElement>{{extra, 2}}));
    EXPECT_TRUE(t.ID1ExtrasChanged[2]);
    EXPECT_TRUE(t.IDExtrasChanged);
    EXPECT_FALSE(t.IDChanged);
    EXPECT_FALSE(t.DataSaved);

    t.IDExtrasChanged = false;
    t.DataSaved = true;
    c.take(voice, 1, "GOOD");
    c.apply();
    EXPECT_TRUE(t.IDChanged);
    EXPECT_FALSE(t.IDExtrasChanged);

    t.IDChanged = false;
    t.DataSaved = true;
    c.take(pre, 1, "2");
    c.apply();
    EXPECT_TRUE(t.CommandPrefixChanged);
    EXPECT_FALSE(t.IDChanged || t.IDExtrasChanged);
    EXPECT_FALSE(t.DataSaved) << "the file still has to be saved";
}

TEST(EditorCopiesStoreNowTest, StoresWithThePolicyAndTakesTheEditorsOwnCopyOverAnEdit)
{
    SettingsTables t;
    t.InActiveTime.fill("5");
    t.DisableTimeout.fill("0");
    t.DataSaved = true;
    SettingsNotices notices;
    std::vector<SettingElement> told;
    const int other = 0;
    notices.listen(&other, [&](const SettingElement& e) { told.push_back(e); });
    EditorCopies c(t, &notices, {&S::PortSwitchesChanged});
    const int inactive = c.add(Field(Bind(&S::InActiveTime, &S::InActiveTimeChanged)));
    c.take(inactive, 2, "9"); // an edit the store overrides

    const auto own = c.storeNow(Bind(&S::InActiveTime, &S::InActiveTimeChanged), 2, "0",
                                {true, {&S::TimersChanged}, true});
    EXPECT_EQ(own, (FieldElement{inactive, 2}));
    EXPECT_EQ(t.InActiveTime[2], "0");
    EXPECT_EQ(c.copy(inactive, 2), "0");
    EXPECT_FALSE(c.edited(inactive, 2));
    EXPECT_TRUE(t.InActiveTimeChanged[2]);
    EXPECT_TRUE(t.TimersChanged);
    EXPECT_FALSE(t.PortSwitchesChanged) << "only the policy's section";
    EXPECT_FALSE(t.DataSaved);
    EXPECT_EQ(told, (std::vector<SettingElement>{ElementOf(&S::InActiveTime, 2)}));

    // Quietly: the value alone; an unchanged value writes and tells nothing.
    t.DataSaved = true;
    EXPECT_FALSE(c.storeNow(SettingBinding{&S::DisableTimeout}, 3, "1", Quietly()));
    EXPECT_EQ(t.DisableTimeout[3], "1");
    EXPECT_FALSE(t.DisableTimeoutChanged[3]);
    EXPECT_TRUE(t.DataSaved);
    told.clear();
    c.storeNow(Bind(&S::InActiveTime, &S::InActiveTimeChanged), 1, "5", {true, {&S::TimersChanged}, true});
    EXPECT_FALSE(t.InActiveTimeChanged[1]);
    EXPECT_TRUE(t.DataSaved);
    EXPECT_TRUE(told.empty());
}

// The tidy on leaving a box, and the load that tidies the store: the value in
// a tidier form, with no flag and the saved state kept.
TEST(EditorCopiesTidyTest, LeavingAndLoadingTidyQuietly)
{
    SettingsTables t;
    t.MessageMacro.fill("GOOD  MORNING");
    t.CWTone1.fill("800");
    t.DataSaved = true;
    EditorCopies c(t, nullptr, {&S::MessageMacrosChanged});
    FieldDefinition message = Field(Bind(&S::MessageMacro, &S::MessageMacroChanged), &Intake::Upper);
    message.tidy = &Intake::UpperCollapsed;
    message.tidiesStored = true;
    const int m = c.add(message);
    const int tone = c.add(Field(Bind(&S::CWTone1, &S::CWTone1Changed), &Intake::AsTyped,
                                 LoadForm::Tidied([](const QString& s) { return s.trimmed().rightJustified(4, u'0'); })));
    EXPECT_EQ(t.CWTone1[2], "0800");
    EXPECT_EQ(c.copy(tone, 2), "0800");
    EXPECT_FALSE(c.differs(tone, 2));

    c.take(m, 3, " hello   there ");
    EXPECT_TRUE(c.tidy(m, 3));
    EXPECT_EQ(c.copy(m, 3), "HELLO THERE");
    EXPECT_EQ(t.MessageMacro[3], "GOOD MORNING") << "the stored value tidied too";
    EXPECT_TRUE(c.edited(m, 3));
    EXPECT_TRUE(c.tidy(m, 4)) << "an unedited copy follows its stored value";
    EXPECT_FALSE(c.differs(m, 4));
    EXPECT_FALSE(c.edited(m, 4));
    EXPECT_FALSE(t.MessageMacroChanged.any(true));
    EXPECT_FALSE(t.MessageMacrosChanged);
    EXPECT_TRUE(t.DataSaved);
    EXPECT_EQ(c.apply(), (std::vector<FieldElement>{{m, 3}}));
}

TEST(EditorCopiesGateTest, EveryChangedCopyAGateRefusesIsNamed)
{
    SettingsTables t;
    t.Macro.fill("NONE STORED");
    EditorCopies c(t, nullptr, {&S::MacrosChanged});
    FieldDefinition macro = Field(Bind(&S::Macro, &S::MacroChanged));
    macro.gate = [](const QString& copy) -> std::optional<QString> {
        return copy.contains(u'x') ? std::optional<QString>("no x") : std::nullopt;
    };
    const int f = c.add(macro);
    c.take(f, 2, "013");
    c.take(f, 5, "x");
    c.take(f, 9, "0x1");
    const std::vector<EditorCopies::Refused> gated = c.refusals();
    ASSERT_EQ(gated.size(), 2u);
    EXPECT_EQ(gated[0].element, (FieldElement{f, 5}));
    EXPECT_EQ(gated[1].element, (FieldElement{f, 9}));
    EXPECT_EQ(gated[1].reason, "no x");
    t.Macro[7] = "x"; // what is stored already is not judged again
    EXPECT_EQ(c.refusals().size(), 2u);
}

// Whatever put it into a copy, a text the file cannot hold, or one that would
// end a command line early, is refused by every field, reader rule or none.
TEST(EditorCopiesGateTest, ATextNoLineOfTheFileCanHoldIsRefused)
{
    SettingsTables t;
    t.APPrefix = "5";
    EditorCopies c(t, nullptr, {&S::SpecialCodesChanged});
    const int plain = c.add(Field(Bind(&S::APPrefix, &S::APPrefixChanged)));
    const struct {
        QString text;
        const char* reason;
    } cases[] = {
        {"12\r\n34", "a line break cannot be stored"},
        {"12\r34", "a line break cannot be stored"},
        {"12\n34", "a line break cannot be stored"},
        {"12\t34", "a control character cannot be stored"},
        {QString("12") + QChar(0) + "34", "a control character cannot be stored"},
        {"12\u20ac", "the text holds a character outside Latin-1"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.reason);
        c.setCopy(plain, 1, k.text);
        const auto found = c.refusals();
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].reason, k.reason);
    }
    c.setCopy(plain, 1, "12 34");
    EXPECT_TRUE(c.refusals().empty());
}

TEST(FieldFormsTest, IntakeAndLoadForms)
{
    struct Case {
        IntakeRule rule;
        QString text, copy;
    } intakes[] = {
        {&Intake::AsTyped, " a ", " a "},   {&Intake::Trimmed, " a ", "a"},     {&Intake::Number, "007x", "7"},
        {&Intake::Number, "", "0"},         {&Intake::Upper, "a b ", "A B "},   {&Intake::Code, " a1 ", "A1"},
        {&Intake::UpperCollapsed, "  good   morning ", "GOOD MORNING"},
        {&Intake::UpperCollapsed, "", ""},  {&Intake::TwoDigits, "5", "05"},    {&Intake::TwoDigits, " 7 ", "07"},
        {&Intake::TwoDigits, "12", "12"},   {&Intake::TwoDigits, "0A", "0A"},   {&Intake::TwoDigits, "", "0"},
        {&Intake::DashAsA, "-5", "A5"},     {&Intake::DashAsA, "5-", "5-"},     {&Intake::DashAsA, "", ""},
    };
    for (const Case& c : intakes)
        EXPECT_EQ(c.rule(c.text), c.copy) << c.text.toStdString();

    // Cancel puts the stored text back as it stands, or in its load form.
    SettingsTables t;
    t.Minutes.fill("5");
    EditorCopies c(t, nullptr, {&S::SchedulerChanged});
    const int minutes = c.add(Field(Bind(&S::Minutes, &S::SetPointChanged), &Intake::AsTyped, LoadRule{&Intake::TwoDigits}));
    c.take(minutes, 1, "3");
    c.restore(minutes, 1);
    EXPECT_EQ(c.copy(minutes, 1), "05");
    EXPECT_TRUE(c.differs(minutes, 1)) << "the next Apply stores the load form";
}

TEST(FieldCheckTest, TheFirstPartThatRefusesSpeaksWithItsOwnTitleAndIcon)
{
    FieldCheck tooLong = Refusing([](const QString& t) { return t.size() > 3; }, "Too long");
    FieldCheck letter = Refusing([](const QString& t) { return t.contains('x'); }, "No x");
    letter.title.clear();
    letter.icon = Dialogs::Icon::None;
    const FieldCheck check = FirstOf({tooLong, letter});
    struct Case {
        QString text;
        const char* speaks; // null: accepted
    } cases[] = {{"ab", nullptr}, {"abcd", "Too long"}, {"ax", "No x"}, {"abcx", "Too long"}};
    for (const Case& c : cases) {
        EXPECT_EQ(check.refuses(c.text), c.speaks != nullptr) << c.text.toStdString();
        if (c.speaks) {
            EXPECT_EQ(check.speaking(c.text).message, c.speaks) << c.text.toStdString();
        }
    }
    EXPECT_EQ(check.speaking("ax").title, "");
    EXPECT_EQ(check.speaking("ax").icon, Dialogs::Icon::None);
    EXPECT_EQ(check.speaking("abcd").title, "Try Again!");

    // A part may judge what a change added to the text before it.
    const FieldCheck added = FirstOf({tooLong, RefusingChange([](const QString& t, const QString& before) {
        return t.count('x') > before.count('x');
    }, "No new x")});
    EXPECT_FALSE(added.refuses("axb", "ax"));
    EXPECT_TRUE(added.refuses("axx", "ax"));
    EXPECT_EQ(added.speaking("axx", "ax").message, "No new x");
    EXPECT_TRUE(added.refuses("ax")) << "judged alone, the whole text is new";
}

} // namespace
