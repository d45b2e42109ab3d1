#include "EditorFixture.h"
#include "LinkMessages.h"
#include "WireFixture.h"
#include "editors/macros/Scheduler.h"

#include <QPushButton>

using Answer = ControllerSimulator::Answer;

namespace {

const QString Done = "Done: Clock and Calendar have been successfully set";

// Set Clock pressed on the scheduler tab, sent through the real port to the
// controller simulator.
struct SchedulerWire : WireFixture {
    std::unique_ptr<Scheduler> editor;

    void SetUp() override
    {
        WireFixture::SetUp();
        m_tables.DateFormat = "False";
        m_clock.setDateTime(QDateTime(QDate(2026, 12, 9), QTime(21, 5, 7)));
        editor = std::make_unique<Scheduler>(m_context, m_controller);
    }
    void setClock() { EditorFixture::find<QPushButton>(*editor, "ClockSet")->click(); }
};

TEST_F(SchedulerWire, SuccessIsToldOnlyOnceTheDateAndTheTimeWereAccepted)
{
    m_sim.script({Answer::accept(), Answer::accept()});
    setClock();
    ASSERT_TRUE(m_sim.waitForLines(2));
    EXPECT_EQ(m_sim.received(), "1*5101120926\r1*51002105\r") << "the date line, then the time line";
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{Done});
    EXPECT_FALSE(m_link.isPortOpen());
}

// An unanswered or refused line is no success: the time still follows an
// unanswered date, never a refused one.
TEST_F(SchedulerWire, ASilentOrRefusingControllerGetsNoSuccessMessage)
{
    struct Case {
        const char* name;
        std::vector<Answer> answers;
        QByteArray received;
        QStringList messages;
    } cases[] = {
        {"silent", {Answer::silence(), Answer::silence()}, "1*5101120926\r1*51002105\r",
         {TimeoutMessage, TimeoutMessage}},
        {"time unanswered", {Answer::accept(), Answer::silence()}, "1*5101120926\r1*51002105\r", {TimeoutMessage}},
        {"date refused", {Answer::refuse()}, "1*5101120926\r", {RefusalMessage}},
    };
    std::size_t lines = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_dialogs.clear();
        const qsizetype before = m_sim.received().size();
        m_sim.script(c.answers);
        setClock();
        lines += static_cast<std::size_t>(c.received.count('\r'));
        ASSERT_TRUE(m_sim.waitForLines(lines));
        EXPECT_EQ(m_sim.received().mid(before), c.received);
        EXPECT_EQ(m_dialogs.messageTexts(), c.messages);
        EXPECT_FALSE(m_link.isPortOpen());
        EXPECT_TRUE(editor->isEnabled());
    }
}

} // namespace
