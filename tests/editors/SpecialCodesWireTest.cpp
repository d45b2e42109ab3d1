#include "ControllerSimulator.h"
#include "EditorFixture.h"
#include "editors/ports/SpecialCodes.h"
#include "link/ControllerLink.h"
#include "platform/QtSerialPort.h"

using Answer = ControllerSimulator::Answer;

namespace {

const QString File = "wire.dat";

// The access code editor sending through the real port to the controller
// simulator on COM 3. Every pass of the event loop moves the clock on, so the
// three-second reply wait takes a moment while a reply still comes at once.
struct SpecialCodesWire : EditorFixture {
    ControllerSimulator sim;
    ComPorts ports{[this](const QString& key) { return key == "COM3" ? sim.devicePath() : QString(); },
                   [] { return QStringList(); }};
    QtSerialPort port{[this](int n) { return ports.deviceFor(n); }};
    ControllerLink link{tables, port, sound, dialogs, clock};
    std::unique_ptr<SpecialCodes> editor;

    void SetUp() override
    {
        ASSERT_FALSE(sim.devicePath().isEmpty()) << sim.error().toStdString();
        clock.onEvents([this] { clock.sleep(100); });
        tables.ComPortValue = "3";
        tables.CurrentLock = tables.Lock = "9";
        tables.Terminator = tables.CurrentTerminator = "D";
        tables.CurrentDatFile = File;
        profile.setBytes(File, "[Unlock]\r\nLock=9\r\nTerminator=D\r\n");
        editor = std::make_unique<SpecialCodes>(context, link);
    }

    void applyNewLock(const QString& code)
    {
        type(editor->findChild<QLineEdit*>("NewLockSet"), code);
        editor->DoApply(); // as leaving the tab does
    }
    QString fileLock() { return profile.read(File, "Unlock", "Lock"); }
};

TEST_F(SpecialCodesWire, ANewLockCodeTakenWithAPlusIsInUseAndInTheFile)
{
    sim.script({Answer::accept()});
    applyNewLock("1234");
    ASSERT_TRUE(sim.waitForLines(1));
    EXPECT_EQ(sim.received(), "1*90101234\r") << "the one line, no unlock or lock line";
    EXPECT_EQ(fileLock(), "1234");
    EXPECT_EQ(tables.CurrentLock, "1234");
    EXPECT_EQ(tables.Lock, "1234");
    EXPECT_EQ(messages(), QStringList{"New Lock Code Has Been Successfully Sent To The Tarvex"});
    EXPECT_EQ(editor->findChild<QLineEdit*>("NewLockSet")->text(), "");
    EXPECT_EQ(editor->findChild<QLineEdit*>("CurrentLock")->text(), "1234");
    EXPECT_FALSE(port.isOpen()) << "the port is left closed, as it was found";
}

// A refusal or no answer at all: the controller keeps its lock code, and so
// does the program; the user is told why and that nothing changed.
TEST_F(SpecialCodesWire, ANewLockCodeRefusedOrUnansweredIsNotTaken)
{
    struct Case {
        const char* name;
        Answer answer;
        QString reason;
    } cases[] = {
        {"minus", Answer::refuse(), "There has been an error. The Tarvex returned -    "},
        {"silence", Answer::silence(),
         "Zarn is unable to communicate with the Tarvex. Check your connections then try again"},
    };
    std::size_t sent = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.script.clear();
        sim.script({c.answer});
        applyNewLock("1234");
        ASSERT_TRUE(sim.waitForLines(++sent));
        EXPECT_EQ(sim.lines().back().text, "1*90101234");
        EXPECT_EQ(messages(), (QStringList{c.reason, "Not sent to the Tarvex: the new lock code. The codes in use stay "
                                                     "as they were; Apply again to send it."}));
        EXPECT_EQ(fileLock(), "9");
        EXPECT_EQ(tables.CurrentLock, "9");
        EXPECT_EQ(tables.Lock, "9");
        EXPECT_EQ(editor->findChild<QLineEdit*>("NewLockSet")->text(), "1234") << "kept for another try";
    }
}

} // namespace
