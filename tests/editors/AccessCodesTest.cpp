#include "CodesFixture.h"
#include "LinkMessages.h"
#include "editors/ports/AccessCodeRules.h"
#include "editors/ports/NewCodeSender.h"

using Kind = NewCode::Kind;

namespace {

std::vector<NewCode> Typed(QStringList ports, const QString& lock, const QString& terminator)
{
    TextArray p(Count::Ports);
    for (int i = 1; i <= Count::Ports; ++i)
        p[i] = ports.value(i - 1);
    return TypedCodes(p, lock, terminator);
}

// A fixture of its own for each case of a table.
struct FreshCodes final : CodesFixture {
    void TestBody() override {}
};

} // namespace

TEST(AccessCodeRules, TheTypedCodesInSendingOrderWithoutEmptyBoxes)
{
    EXPECT_EQ(Typed({"", " 7a ", ""}, "  ", "d"),
              (std::vector<NewCode>{{Kind::PortUnlock, 2, "7A"}, {Kind::Terminator, 0, "D"}}));
    EXPECT_EQ(Typed({"1", "2", "3"}, "4", "5"),
              (std::vector<NewCode>{{Kind::PortUnlock, 1, "1"}, {Kind::PortUnlock, 2, "2"}, {Kind::PortUnlock, 3, "3"},
                                    {Kind::Lock, 0, "4"}, {Kind::Terminator, 0, "5"}}));
    EXPECT_TRUE(Typed({}, "", " ").empty());
}

// Every code is checked before anything is sent; the message names the code
// and the rule it breaks.
TEST(AccessCodeRules, ACodeIsRefusedUnlessItIsKeysOfItsLengthAndLockDiffersFromTerminator)
{
    SettingsTables t;
    t.CurrentLock = "C";
    t.Terminator = "D";
    struct Case {
        QStringList ports;
        QString lock, terminator;
        QString refusal; // empty: accepted
    } cases[] = {
        {{"12345678", "*#AB", "cd09"}, "1234", "#", ""},
        {{"", "", ""}, "a", "", ""},
        {{"123456789"}, "", "", "The new unlock code of port 1 \"123456789\" has 9 keys. An unlock code has 1 to 8 keys."},
        {{"", "12E"}, "", "",
         "The new unlock code of port 2 \"12E\" holds \"E\", which is no DTMF key. A code is made of the keys 0-9, *, # "
         "and A-D only."},
        {{"", "", "1 2"}, "", "", "The new unlock code of port 3 \"1 2\" holds \" \", which is no DTMF key. A code is "
                                  "made of the keys 0-9, *, # and A-D only."},
        {{}, "12345", "", "The new lock code \"12345\" has 5 keys. A lock code has 1 to 4 keys."},
        {{}, "", "12", "The new terminator digit \"12\" has 2 keys. The terminator digit is exactly 1 key."},
        {{}, "", "+", "The new terminator digit \"+\" holds \"+\", which is no DTMF key. A code is made of the keys "
                      "0-9, *, # and A-D only."},
        {{}, "d", "", "The new lock code \"D\" is the same as the terminator digit \"D\". The lock code and the "
                      "terminator digit must differ."},
        {{}, "", "c", "The new terminator digit \"C\" is the same as the lock code \"C\". The lock code and the "
                      "terminator digit must differ."},
        {{}, "5", "5", "The new lock code \"5\" is the same as the new terminator digit \"5\". The lock code and the "
                       "terminator digit must differ."},
        {{}, "D", "C", ""}, // swapped in one Apply
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lock.toStdString() + "/" + c.terminator.toStdString());
        const std::optional<QString> refusal = RefusalOf(Typed(c.ports, c.lock, c.terminator), t);
        EXPECT_EQ(refusal.value_or(QString()), c.refusal);
    }
}

using CodeSending = CodesFixture;

// Serial mode: a new unlock code waits for the upload; a new lock code is
// one line, taken only once the controller answered "+".
TEST_F(CodeSending, SerialUnlockCodeWaitsForTheUploadAndTheLockCodeIsTakenOnAPlus)
{
    answers = {"+"};
    NewCodeSender sender(tables, profile, dialogs, link);
    EXPECT_EQ(sender.send({{Kind::PortUnlock, 2, "777"}, {Kind::Lock, 0, "5"}}), 2);

    EXPECT_EQ(lines(), QStringList{"1*90105"}) << "no unlock line, no lock line";
    EXPECT_EQ(tables.CurrentPortUnlock[2], "777");
    EXPECT_TRUE(tables.CurrentPortUnlockChanged[2]) << "the next upload sends it";
    EXPECT_EQ(fileKey("CurrentPortUnlock(2)"), "777");
    EXPECT_EQ(tables.CurrentLock, "5");
    EXPECT_EQ(tables.Lock, "5");
    EXPECT_EQ(fileKey("Lock"), "5");
    EXPECT_EQ(messages(), QStringList{"New Lock Code Has Been Successfully Sent To The Tarvex"});
    EXPECT_TRUE(tables.DataSaved) << "the file holds the codes";
    EXPECT_FALSE(port.isOpen()) << "closed as it was found";
}

// A code the controller did not take is not taken here either, and the codes
// after it are not sent: the user is told which, and whether it went out.
TEST_F(CodeSending, TheFirstCodeNotSentStopsTheRestAndNothingOfThemIsTaken)
{
    const QString notSent = "Not sent to the Tarvex: the new lock code and the new terminator digit. The codes in "
                            "use stay as they were; Apply again to send them.";
    struct Case {
        const char* name;
        std::function<void(FreshCodes&)> arrange;
        QString shown; // the link's reason
        QStringList lines;
        QString told;
    } cases[] = {
        {"minus", [](FreshCodes& f) { f.answers = {"-"}; }, RefusalText, {"1*90105"}, notSent},
        {"silence", [](FreshCodes&) {}, NoAnswerText, {"1*90105"},
         "Sent to the Tarvex but not answered: the new lock code. The Tarvex may hold the new code or the old one; "
         "the codes in use stay as they were. Not sent: the new terminator digit. Apply again to send them."},
        {"port in use", [](FreshCodes& f) { f.port.setOpenFailure("Device or resource busy"); },
         "COM2 is in use by another program. Close the other program and try again\n/dev/ttyFAKE0: Device or "
         "resource busy",
         {}, notSent},
        // The port opens but takes no line: nothing went out, so nothing can be unanswered.
        {"write refused", [](FreshCodes& f) { f.port.setWriteFailure("Resource temporarily unavailable"); },
         "/dev/ttyFAKE0: Resource temporarily unavailable", {}, notSent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreshCodes f;
        c.arrange(f);
        NewCodeSender sender(f.tables, f.profile, f.dialogs, f.link);
        EXPECT_EQ(sender.send({{Kind::Lock, 0, "5"}, {Kind::Terminator, 0, "#"}}), 0);
        EXPECT_EQ(f.messages(), (QStringList{c.shown, c.told}));
        EXPECT_EQ(f.lines(), c.lines) << "the terminator was not sent";
        EXPECT_EQ(f.tables.CurrentLock, "0");
        EXPECT_EQ(f.tables.Lock, "0");
        EXPECT_EQ(f.tables.Terminator, "D");
        EXPECT_EQ(f.fileKey("Lock"), "0");
        EXPECT_EQ(f.fileKey("Terminator"), "D");
    }
}

// A line the link refuses while it waits for another command's reply never
// left the program: the code is told as not sent, and the one in use stays.
TEST_F(CodeSending, ACodeTheBusyLinkRefusedIsToldAsNotSent)
{
    ASSERT_TRUE(link.serialLink().OpenSerialPort());
    int taken = -1;
    clock.onEvents([&] {
        if (taken < 0 && link.serialLink().busy())
            taken = NewCodeSender(tables, profile, dialogs, link).send({{Kind::Lock, 0, "5"}});
    });
    (void)link.serialLink().CheckInput(); // another command's wait, never answered

    EXPECT_EQ(taken, 0);
    ASSERT_GE(messages().size(), 2);
    EXPECT_EQ(messages()[0], "Another command is waiting for the Tarvex's reply");
    EXPECT_EQ(messages()[1],
              "Not sent to the Tarvex: the new lock code. The codes in use stay as they were; Apply again to send it.");
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(tables.CurrentLock, "0");
    EXPECT_EQ(tables.Lock, "0");
    EXPECT_EQ(fileKey("Lock"), "0");
}

// The code is in use once the controller has it, whether or not the file
// took it; the file is then marked unsaved so that a save writes it.
TEST_F(CodeSending, AKeyTheFileDidNotTakeIsToldAndLeavesTheConfigurationUnsaved)
{
    answers = {"+"};
    profile.setFailWrites("disk full");
    NewCodeSender sender(tables, profile, dialogs, link);
    EXPECT_EQ(sender.send({{Kind::Terminator, 0, "#"}}), 1);
    EXPECT_EQ(tables.Terminator, "#");
    EXPECT_EQ(tables.CurrentTerminator, "#");
    EXPECT_FALSE(tables.DataSaved);
    EXPECT_EQ(messages(), (QStringList{"New Terminator Digit Has Been Successfully Sent To The Tarvex",
                                       "Could not write the new terminator digit \"#\" into the configuration file: "
                                       "Cannot write \"codes.dat\": disk full\nIt is in use all the same; save the "
                                       "configuration to keep it."}));
}

// DTMF mode: a new unlock code is opened with the port's old code and left
// open; it is sent, so no upload sends it again.
TEST_F(CodeSending, DtmfUnlockCodeIsOpenedWithThePortsOldCodeAndKeyed)
{
    dtmfMode();
    NewCodeSender sender(tables, profile, dialogs, link);
    EXPECT_EQ(sender.send({{Kind::PortUnlock, 2, "7A"}}), 1);
    EXPECT_EQ(heard(), "456D" "*90007AD");
    EXPECT_EQ(unkeyedMs, 0);
    EXPECT_FALSE(port.keyed());
    EXPECT_EQ(tables.CurrentPortUnlock[2], "7A");
    EXPECT_FALSE(tables.CurrentPortUnlockChanged[2]);
    EXPECT_EQ(fileKey("CurrentPortUnlock(2)"), "7A");
    EXPECT_TRUE(messages().isEmpty());
}
