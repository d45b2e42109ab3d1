#include "CourtesyFixture.h"
#include "store/KeyRegistry.h"

#include <QClipboard>
#include <QLabel>

#include <algorithm>

namespace {

using F = CourtesyField;

struct CourtesyTest : CourtesyFixture {
    // Each box of a port's page and the value it should show for a tone.
    void expectPageShows(int port, int tone)
    {
        forEachArray([&](int p, F field, int k) {
            if (p != port)
                return;
            QLineEdit* b = box(field, k, port);
            EXPECT_EQ(b->text(), Stored(port, field, k, tone)) << b->objectName().toStdString();
            EXPECT_FALSE(red(b)) << b->objectName().toStdString();
        });
        EXPECT_EQ(find<QComboBox>(QStringLiteral("CTSet(%1)").arg(port))->currentText(), QString::number(tone));
    }
};

TEST_F(CourtesyTest, LoadingShowsToneOneOfEveryPortInBlack)
{
    load();
    EXPECT_EQ(editor->windowTitle(), "Courtesy Tones");
    auto* pages = find<QTabWidget>("SSTab1");
    ASSERT_EQ(pages->count(), 3);
    for (int port = 1; port <= Count::Ports; ++port) {
        EXPECT_EQ(pages->tabText(port - 1), QStringLiteral("Port %1").arg(port));
        auto* list = find<QComboBox>(QStringLiteral("CTSet(%1)").arg(port));
        ASSERT_EQ(list->count(), 10);
        EXPECT_EQ(list->itemText(9), "10");
        expectPageShows(port, 1);
    }
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(find<QPushButton>("Preview")->text(), "&Preview");
    EXPECT_EQ(find<QPushButton>("CancelChanges")->text(), "&Cancel Changes");
    EXPECT_EQ(find<QPushButton>("Apply")->text(), "&Apply");
    const QList<QLabel*> labels = editor->findChildren<QLabel*>();
    EXPECT_EQ(std::count_if(labels.begin(), labels.end(),
                            [](const QLabel* l) { return l->text().startsWith("Note: Setting Segment 1, Tone 1"); }),
              3);
}

TEST_F(CourtesyTest, PickingAToneShowsItOnItsOwnPageOnly)
{
    load();
    showPage(2);
    pickTone(2, 4);
    expectPageShows(2, 4);
    expectPageShows(1, 1);
    expectPageShows(3, 1);

    // Pages come and go; boxes, colours and choices stay.
    type(box(F::Delay, 1, 2), "5");
    showPage(3);
    showPage(2);
    EXPECT_EQ(box(F::Delay, 1, 2)->text(), "5");
    EXPECT_TRUE(red(box(F::Delay, 1, 2)));
    EXPECT_EQ(find<QComboBox>("CTSet(2)")->currentText(), "4");
    EXPECT_EQ(editor->currentPort(), 2);

    // Another tone and back: the edit is still there.
    pickTone(2, 9);
    expectPageShows(2, 9);
    pickTone(2, 4);
    EXPECT_EQ(box(F::Delay, 1, 2)->text(), "5");
    EXPECT_TRUE(red(box(F::Delay, 1, 2)));
}

TEST_F(CourtesyTest, AnEditChangesItsPortsValueOfTheToneShownThereAndTurnsBlackWhenPutBack)
{
    load();
    showPage(2);
    pickTone(2, 4);
    QLineEdit* delay = box(F::Delay, 1, 2);
    type(delay, "5");
    EXPECT_TRUE(red(delay));
    type(delay, Stored(2, F::Delay, 1, 4));
    EXPECT_FALSE(red(delay));
    type(delay, "5");
    editor->DoApply();
    EXPECT_EQ(changedSettings(), QStringList{"P2Delay1(4)=5"});
    EXPECT_EQ(raisedFlags(), QStringList{"P2Seg1Changed(4)"});
    EXPECT_TRUE(tables.CourtesyChanged);
    EXPECT_FALSE(tables.DataSaved);
    EXPECT_TRUE(red(delay)) << "Apply leaves the marking as it was";
}

// A box changed while another port's page is shown (as the program changes
// boxes when it shows them) stores its own text into its own port's tone.
TEST_F(CourtesyTest, ABoxOfAnotherPageChangesItsOwnPortsValue)
{
    load();
    pickTone(2, 4);
    showPage(1);
    box(F::Tone, 3, 2)->setText("440");
    EXPECT_TRUE(red(box(F::Tone, 3, 2)));
    EXPECT_EQ(box(F::Tone, 3, 1)->text(), Stored(1, F::Tone, 3, 1));
    EXPECT_FALSE(red(box(F::Tone, 3, 1)));
    editor->DoApply();
    EXPECT_EQ(changedSettings(), QStringList{"P2Tone3(4)=440"});
    EXPECT_EQ(raisedFlags(), QStringList{"P2Seg2Changed(4)"});
}

TEST_F(CourtesyTest, EachBoxKeepsItsLimitsAndARefusedBoxBecomesZeroAndKeepsTheFocus)
{
    struct Case {
        F field;
        int k;
        const char* text;
        const char* message; // null: accepted
    };
    const char* delay = "The delay value must be less than 32768";
    const char* duration = "The duration value must be less than 32768";
    const char* tone = "The tone value must be between 0 and 3500";
    const Case cases[] = {
        {F::Delay, 1, "", delay},        {F::Delay, 2, "32768", delay},    {F::Delay, 3, "0", nullptr},
        {F::Delay, 4, "32767", nullptr}, {F::Delay, 1, "99999999999999999999", delay},
        {F::Dur, 1, "", duration},       {F::Dur, 2, "32768", duration},   {F::Dur, 3, "0", nullptr},
        {F::Dur, 4, "32767", nullptr},
        {F::Tone, 1, "", tone},          {F::Tone, 2, "3501", tone},       {F::Tone, 3, "3500", nullptr},
        {F::Tone, 8, "0", nullptr},      {F::Tone, 5, "40", nullptr},
    };
    load();
    showActive();
    QLineEdit* elsewhere = find("Tone8Set(1)");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + box(c.field, c.k, 1)->objectName().toStdString());
        dialogs.script.clear();
        QLineEdit* b = box(c.field, c.k, 1);
        b->setFocus();
        type(b, QString::fromLatin1(c.text));
        (b == elsewhere ? find("Tone7Set(1)") : elsewhere)->setFocus();
        if (!c.message) {
            EXPECT_TRUE(dialogs.script.shown().empty());
            EXPECT_EQ(b->text(), c.text);
            continue;
        }
        ASSERT_EQ(dialogs.script.shown().size(), 1u);
        const auto& shown = dialogs.script.shown()[0];
        EXPECT_EQ(shown.text, c.message);
        EXPECT_EQ(shown.title, "Try Again!");
        EXPECT_EQ(shown.icon, Dialogs::Icon::Critical);
        EXPECT_EQ(b->text(), "0");
        EXPECT_TRUE(b->hasFocus());
    }
    editor->DoApply();
    EXPECT_EQ(tables.P1Delay1[1], "0");
    EXPECT_EQ(tables.P1Dur2[1], "0");
    EXPECT_EQ(tables.P1Tone2[1], "0");
    EXPECT_EQ(tables.P1Delay4[1], "32767");
}

// A configuration file may hold a tone the boxes do not take.
TEST_F(CourtesyTest, AStoredToneAboveTheRangeIsShownUntilItsBoxIsLeft)
{
    tables.P3Tone2[1] = "3700";
    load();
    QLineEdit* b = box(F::Tone, 2, 3);
    EXPECT_EQ(b->text(), "3700");
    EXPECT_FALSE(red(b));
    EXPECT_TRUE(messages().isEmpty());
    focusIn(b);
    focusOut(b);
    EXPECT_EQ(messages(), QStringList{"The tone value must be between 0 and 3500"});
    EXPECT_EQ(b->text(), "0");
    EXPECT_TRUE(red(b));
}

TEST_F(CourtesyTest, ApplySetsTheFlagOfEachChangedSegmentOfItsPortAndToneAndNoOther)
{
    struct Case {
        const char* name;
        std::vector<std::pair<QString, QString>> edits; // box, text
        QStringList settings;
        QStringList flags;
    };
    const Case cases[] = {
        {"two boxes of one segment", {{"Tone3Set(1)", "1000"}, {"Dur2Set(1)", "300"}},
         {"P1Dur2(2)=300", "P1Tone3(2)=1000"}, {"P1Seg2Changed(2)"}},
        {"two segments", {{"Tone3Set(1)", "1000"}, {"Dur4Set(1)", "300"}},
         {"P1Dur4(2)=300", "P1Tone3(2)=1000"}, {"P1Seg2Changed(2)", "P1Seg4Changed(2)"}},
        {"tone 8 is segment 4", {{"Tone8Set(1)", "0"}, {"Delay1Set(1)", "0"}},
         {"P1Delay1(2)=0", "P1Tone8(2)=0"}, {"P1Seg1Changed(2)", "P1Seg4Changed(2)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        tables.CourtesyChanged = false;
        for (int port = 1; port <= Count::Ports; ++port)
            for (int segment = 1; segment <= 4; ++segment)
                (tables.*CourtesySegmentFlag(port, segment)).fill(false);
        load();
        pickTone(1, 2);
        for (const auto& [name, text] : c.edits)
            type(find(name), text);
        find<QPushButton>("Apply")->click();
        QStringList settings = changedSettings();
        settings.sort();
        EXPECT_EQ(settings, c.settings);
        EXPECT_EQ(raisedFlags(), c.flags);
        EXPECT_TRUE(tables.CourtesyChanged);
        EXPECT_FALSE(tables.DataSaved);
    }
}

// A flag still waiting for an upload is no change: the file stays saved.
TEST_F(CourtesyTest, AnApplyThatChangedNothingLeavesASavedFileSaved)
{
    tables.P2Seg3Changed[7] = true;
    load();
    type(box(F::Delay, 1, 1), Stored(1, F::Delay, 1, 1));
    editor->DoApply();
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_FALSE(tables.CourtesyChanged);
    EXPECT_EQ(raisedFlags(), QStringList{"P2Seg3Changed(7)"});

    type(box(F::Dur, 3, 1), "7");
    editor->DoApply();
    EXPECT_FALSE(tables.DataSaved);
    tables.DataSaved = true;
    editor->DoApply();
    EXPECT_TRUE(tables.DataSaved) << "the second Apply found nothing new";
}

TEST_F(CourtesyTest, CancelDropsTheEditsOfEveryToneAndShowsToneOneAgain)
{
    load();
    pickTone(1, 3);
    type(box(F::Delay, 2, 1), "9");
    pickTone(1, 5);
    type(box(F::Tone, 8, 1), "9");
    showPage(2);
    pickTone(2, 6);
    type(box(F::Dur, 1, 2), "9");

    click("CancelChanges");
    for (int port = 1; port <= Count::Ports; ++port)
        expectPageShows(port, 1);
    EXPECT_EQ(editor->currentPort(), 2) << "the page shown stays";
    pickTone(1, 3);
    expectPageShows(1, 3);

    click("Apply");
    EXPECT_TRUE(changedSettings().isEmpty());
    EXPECT_TRUE(raisedFlags().isEmpty());
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_FALSE(tables.CourtesyChanged);
}

// The boxes take digits only, typed or pasted: a paste with anything else is
// refused whole, so no minus sign, blank or letter gets in; and any digits the
// range check passes, the file reads back, so Apply never refuses a typed value.
TEST_F(CourtesyTest, OnlyDigitsReachABoxAndEveryValueItsCheckPassesIsStored)
{
    load();
    for (const auto& [field, k] : {std::pair{F::Delay, 1}, {F::Dur, 4}, {F::Tone, 1}}) {
        QLineEdit* b = box(field, k, 1);
        for (const char* pasted : {"12ab", " 12", "12 ", "-5", "1e3", "&H10", "\xef\xbc\x91\xef\xbc\x92"}) {
            b->setText("7");
            b->selectAll();
            QApplication::clipboard()->setText(QString::fromUtf8(pasted));
            b->paste();
            EXPECT_EQ(b->text(), "7") << pasted << " into " << b->objectName().toStdString();
        }
        QApplication::clipboard()->setText("0012");
        b->selectAll();
        b->paste();
        EXPECT_EQ(b->text(), "0012");
    }
    for (const QString digits : {"0", "00", "0012", "3500", "32767", "000000000000000000001"})
        for (const F field : CourtesyFields) {
            const int max = field == F::Tone ? CourtesyMaxHz : CourtesyMaxMs;
            if (digits.toDouble() <= max) {
                EXPECT_TRUE(FindStem(CourtesyArrayName(1, field, 1)).rule.accepts(digits)) << digits.toStdString();
            }
        }
}

// Only past the digit filter ("12ab" from elsewhere than the keyboard) can a
// box hold what the range check passes and the file could not read back:
// Apply then stores nothing and names the box, shown or not, and leaves the
// text for the user to mend; the range message would tell of a range it is in.
TEST_F(CourtesyTest, AValueTheFileCouldNotReadBackIsNamedAndNotStored)
{
    load();
    pickTone(1, 2);
    box(F::Delay, 3, 1)->setText("12ab");
    const QString named = "Port 1, Segment 3, Delay To This Segment of courtesy tone (2): \"12ab\" cannot be stored";
    for (const int shownTone : {1, 2}) {
        SCOPED_TRACE(shownTone == 2 ? "shown" : "not shown");
        dialogs.script.clear();
        pickTone(1, shownTone);
        type(box(F::Dur, 1, 1), "77");
        editor->DoApply();
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].startsWith(named)) << messages()[0].toStdString();
        EXPECT_TRUE(changedSettings().isEmpty()) << "nothing is applied";
    }
    EXPECT_EQ(box(F::Delay, 3, 1)->text(), "12ab");

    type(box(F::Delay, 3, 1), "12");
    editor->DoApply();
    QStringList settings = changedSettings();
    settings.sort();
    EXPECT_EQ(settings, (QStringList{"P1Delay3(2)=12", "P1Dur1(1)=77", "P1Dur1(2)=77"}));
}

} // namespace
