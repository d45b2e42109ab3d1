#include "EditorFixture.h"
#include "LinkMessages.h"
#include "WireFixture.h"
#include "editors/ports/SpecialCodes.h"

using Answer = ControllerSimulator::Answer;

namespace {

const QString File = "wire.dat";

// The access code editor sending through the real port to the controller
// simulator.
struct SpecialCodesWire : WireFixture {
    std::unique_ptr<SpecialCodes> editor;

    void SetUp() override
    {
        WireFixture::SetUp();
        m_tables.CurrentLock = m_tables.Lock = "9";
        m_tables.Terminator = m_tables.CurrentTerminator = "D";
        m_tables.CurrentDatFile = File;
        m_profile.setBytes(File, "[Unlock]\r\nLock=9\r\nTerminator=D\r\n");
        editor = std::make_unique<SpecialCodes>(m_context, m_controller);
    }

    QLineEdit* find(const QString& name) const { return EditorFixture::find(*editor, name); }
    void applyNewLock(const QString& code)
    {
        EditorFixture::type(find("NewLockSet"), code);
        editor->DoApply(); // as leaving the tab does
    }
    QStringList messages() const { return m_dialogs.untitledTexts(); }
    QString fileLock() { return m_profile.read(File, "Unlock", "Lock"); }
};

TEST_F(SpecialCodesWire, ANewLockCodeTakenWithAPlusIsInUseAndInTheFile)
{
    m_sim.script({Answer::accept()});
    applyNewLock("1234");
    ASSERT_TRUE(m_sim.waitForLines(1));
    EXPECT_EQ(m_sim.received(), "1*90101234\r") << "the one line, no unlock or lock line";
    EXPECT_EQ(fileLock(), "1234");
    EXPECT_EQ(m_tables.CurrentLock, "1234");
    EXPECT_EQ(m_tables.Lock, "1234");
    EXPECT_EQ(messages(), QStringList{"New Lock Code Has Been Successfully Sent To The Tarvex"});
    EXPECT_EQ(find("NewLockSet")->text(), "");
    EXPECT_EQ(find("CurrentLock")->text(), "1234");
    EXPECT_FALSE(m_port.isOpen()) << "the port is left closed, as it was found";
}

// A refusal, or no answer at all: the program keeps the codes in use until
// the controller has answered for the new one, and tells the user why and
// whether the code went out (the controller may then hold it).
TEST_F(SpecialCodesWire, ANewLockCodeRefusedOrUnansweredIsNotTaken)
{
    struct Case {
        const char* name;
        Answer answer;
        QString reason;
        QString told;
    } cases[] = {
        {"minus", Answer::refuse(), RefusalText,
         "Not sent to the Tarvex: the new lock code. The codes in use stay as they were; Apply again to send it."},
        {"silence", Answer::silence(), NoAnswerText,
         "Sent to the Tarvex but not answered: the new lock code. The Tarvex may hold the new code or the old one; "
         "the codes in use stay as they were. Apply again to send it."},
    };
    std::size_t sent = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_dialogs.clear();
        m_sim.script({c.answer});
        applyNewLock("1234");
        ASSERT_TRUE(m_sim.waitForLines(++sent));
        EXPECT_EQ(m_sim.lines().back().text, "1*90101234");
        EXPECT_EQ(messages(), (QStringList{c.reason, c.told}));
        EXPECT_EQ(fileLock(), "9");
        EXPECT_EQ(m_tables.CurrentLock, "9");
        EXPECT_EQ(m_tables.Lock, "9");
        EXPECT_EQ(find("CurrentLock")->text(), "9");
        EXPECT_EQ(find("NewLockSet")->text(), "1234") << "kept for another try";
    }
}

} // namespace
