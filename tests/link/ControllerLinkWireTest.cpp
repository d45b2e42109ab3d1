#include "LinkMessages.h"
#include "QtPrinters.h"
#include "WireFixture.h"
#include "link/CommandCatalogue.h"
#include "link/ControllerLink.h"

#include <gtest/gtest.h>

using Answer = ControllerSimulator::Answer;

namespace {

// Commands sent at once over the real port to the controller simulator.
class AtOnceWire : public WireFixture {
protected:
    void SetUp() override
    {
        WireFixture::SetUp();
        m_tables.CurrentLock = "9";
    }

    // New lock codes, taken into use once the controller has them all.
    AtOnce newLocks(const QStringList& codes)
    {
        AtOnce request;
        for (const QString& code : codes)
            request.commands.push_back(LockChangeCommand(code));
        request.adopt = [this, codes](SettingsTables& t) {
            ++m_adopted;
            t.CurrentLock = codes.last();
        };
        return request;
    }

    int m_adopted = 0;
};

} // namespace

// Only "+" to every line is success; the serial port is left as it was found.
TEST_F(AtOnceWire, OnlyAPlusToEveryLineIsSuccess)
{
    struct Case {
        const char* name;
        QStringList codes;
        std::vector<Answer> answers;
        bool portOpenBefore;
        QString reason; // empty: success
        QStringList messages;
    };
    const Case cases[] = {
        {"plus", {"5"}, {Answer::accept()}, false, "", {}},
        {"plus, the port open before", {"5"}, {Answer::accept()}, true, "", {}},
        {"plus to both lines", {"5", "6"}, {Answer::accept(), Answer::accept()}, false, "", {}},
        {"minus", {"5"}, {Answer::refuse()}, false, "The Tarvex refused 1*90105", {RefusalMessage}},
        {"minus to the second line", {"5", "6"}, {Answer::accept(), Answer::refuse()}, true,
         "The Tarvex refused 1*90106", {RefusalMessage}},
        {"silence", {"5"}, {Answer::silence()}, true, "The Tarvex did not answer 1*90105", {TimeoutMessage}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = m_sim.lines().size();
        m_dialogs.clear();
        m_adopted = 0;
        m_tables.CurrentLock = "9";
        m_tables.UpdateError = true; // left by an earlier command
        m_link.closePort();
        if (c.portOpenBefore) {
            ASSERT_TRUE(m_link.OpenSerialPort());
        }
        m_sim.script(c.answers);

        const Status sent = m_controller.sendAtOnce(newLocks(c.codes));
        EXPECT_EQ(sent.ok(), c.reason.isEmpty());
        EXPECT_EQ(sent.reason(), c.reason);
        EXPECT_EQ(m_adopted, c.reason.isEmpty() ? 1 : 0);
        EXPECT_EQ(m_tables.CurrentLock, c.reason.isEmpty() ? c.codes.last() : "9");
        EXPECT_EQ(m_dialogs.messageTexts(), c.messages);
        EXPECT_EQ(m_link.isPortOpen(), c.portOpenBefore);
        EXPECT_FALSE(m_controller.busy());
        ASSERT_TRUE(m_sim.waitForLines(before + c.answers.size()));
        QStringList lines;
        for (std::size_t i = before; i < m_sim.lines().size(); ++i)
            lines << QString::fromLatin1(m_sim.lines()[i].text);
        QStringList expected;
        for (std::size_t i = 0; i < c.answers.size(); ++i)
            expected << "1*9010" + c.codes[static_cast<int>(i)];
        EXPECT_EQ(lines, expected); // no unlock or lock line in serial mode
    }
}

TEST_F(AtOnceWire, APortThatWillNotOpenIsNamedAndNothingIsSent)
{
    m_tables.ComPortValue = "5"; // no device behind it
    const Status sent = m_controller.sendAtOnce(newLocks({"5"}));
    ASSERT_FALSE(sent);
    EXPECT_TRUE(sent.reason().startsWith("COM5 is in use by another program.")) << sent.reason().toStdString();
    ASSERT_EQ(m_dialogs.messageTexts().size(), 1);
    EXPECT_EQ(m_dialogs.messageTexts()[0], "Tarvex Programmer: " + sent.reason());
    EXPECT_EQ(m_adopted, 0);
    EXPECT_EQ(m_sim.opensSeen(), 0);
    EXPECT_FALSE(m_controller.busy());
}
