#include "ControllerSimulator.h"
#include "CoreApplication.h"
#include "FakeClock.h"
#include "FakeSerialPort.h"
#include "MemoryProfile.h"
#include "QtPrinters.h"
#include "TempDir.h"
#include "UnprivilegedUser.h"
#include "platform/ComPorts.h"
#include "platform/QtSerialPort.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What the simulator answered, gathered across chunks.
QByteArray readReply(SerialPort& port, qsizetype size)
{
    QByteArray reply;
    while (reply.size() < size && port.waitForData(5000))
        reply += port.readAvailable();
    return reply;
}

// COM 3 is the simulator's side of the pseudo-terminal, through [Ports].
class SimulatedLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureCoreApplication();
        ASSERT_FALSE(m_sim.devicePath().isEmpty()) << m_sim.error().toStdString();
        m_port.setPortNumber(3);
    }

    void open()
    {
        const Status opened = m_port.open();
        ASSERT_TRUE(opened) << opened.reason().toStdString();
    }

    ControllerSimulator m_sim;
    ComPorts m_ports{[this](const QString& key) { return key == "COM3" ? m_sim.devicePath() : QString(); },
                     [] { return QStringList(); }};
    QtSerialPort m_port{[this](int n) { return m_ports.deviceFor(n); }};
};

} // namespace

TEST_F(SimulatedLine, ExactBytesGoOutAndEachKindOfReplyComesBack)
{
    ASSERT_NO_FATAL_FAILURE(open());
    EXPECT_EQ(m_port.deviceName(), m_sim.devicePath());
    m_sim.script({ControllerSimulator::Answer::accept(),
                  ControllerSimulator::Answer::refuse(),
                  ControllerSimulator::Answer::text("\r\n+"),
                  ControllerSimulator::Answer::text("\x01?#garbage\xff"),
                  ControllerSimulator::Answer::accept(50)});
    const QByteArray expected[] = {"+", "-", "\r\n+", "\x01?#garbage\xff", "+"};

    for (const QByteArray& reply : expected) {
        ASSERT_TRUE(m_port.write("1*100050\r"));
        EXPECT_EQ(readReply(m_port, reply.size()), reply);
    }
    ASSERT_TRUE(m_sim.waitForLines(5));
    EXPECT_EQ(m_sim.received(), QByteArray("1*100050\r").repeated(5));
    EXPECT_EQ(m_sim.lines().front().text, "1*100050");
    EXPECT_TRUE(m_port.lineStatus());
}

TEST_F(SimulatedLine, SilenceTimesOutAndReadingDiscardsAStaleReply)
{
    ASSERT_NO_FATAL_FAILURE(open());
    m_sim.script({ControllerSimulator::Answer::silence(), ControllerSimulator::Answer::accept()});
    ASSERT_TRUE(m_port.write("1*1001\r"));
    EXPECT_FALSE(m_port.waitForData(30));
    EXPECT_TRUE(m_port.readAvailable().isEmpty());
    EXPECT_TRUE(m_port.isOpen());

    // A reply that came while nobody waited is taken in by readAvailable alone.
    ASSERT_TRUE(m_port.write("1*1002\r"));
    ASSERT_TRUE(m_sim.waitForLines(2));
    QByteArray stale;
    for (int tries = 0; stale.isEmpty() && tries < 500; ++tries) {
        stale = m_port.readAvailable();
        if (stale.isEmpty())
            usleep(1000);
    }
    EXPECT_EQ(stale, "+");
    EXPECT_FALSE(m_port.waitForData(0));
}

TEST_F(SimulatedLine, APseudoTerminalOpensThoughItHasNoModemLines)
{
    ASSERT_NO_FATAL_FAILURE(open());
    for (const Status& set : {m_port.setDtr(true), m_port.setRts(false)}) {
        ASSERT_FALSE(set);
        EXPECT_TRUE(set.reason().startsWith(m_sim.devicePath() + ": cannot set ")) << set.reason().toStdString();
    }
    EXPECT_TRUE(m_port.isOpen());
    m_port.close();
    const Status closed = m_port.setDtr(true);
    EXPECT_EQ(closed.reason(), m_sim.devicePath() + ": cannot set DTR: the port is not open");
}

TEST_F(SimulatedLine, TheFarEndSeesEachCloseAndThePortReopens)
{
    ASSERT_NO_FATAL_FAILURE(open());
    m_port.close();
    EXPECT_TRUE(m_sim.waitForCloses(1));
    EXPECT_EQ(m_sim.opensSeen(), 1);
    EXPECT_FALSE(m_port.write("1*1001\r"));

    ASSERT_NO_FATAL_FAILURE(open());
    ASSERT_TRUE(m_port.write("1*1001\r"));
    EXPECT_EQ(readReply(m_port, 1), "+");
    m_port.close();
    EXPECT_TRUE(m_sim.waitForCloses(2));
}

TEST_F(SimulatedLine, ALineClosedByTheFarEndMidRunIsNoticedAndReported)
{
    ASSERT_NO_FATAL_FAILURE(open());
    m_sim.script({ControllerSimulator::Answer::accept(), ControllerSimulator::Answer::closeLine()});
    ASSERT_TRUE(m_port.write("1*1001\r"));
    EXPECT_EQ(readReply(m_port, 1), "+");
    ASSERT_TRUE(m_port.write("1*1002\r"));

    EXPECT_FALSE(m_port.waitForData(5000));
    EXPECT_FALSE(m_port.isOpen());
    const Status lost = m_port.lineStatus();
    ASSERT_FALSE(lost);
    EXPECT_EQ(lost.reason(), m_sim.devicePath() + ": the device was disconnected (the line was hung up)");
    const Status written = m_port.write("1*1003\r");
    EXPECT_EQ(written.reason(), lost.reason());
    const Status reopened = m_port.open();
    EXPECT_FALSE(reopened);
    EXPECT_TRUE(reopened.reason().startsWith(m_sim.devicePath() + ": ")) << reopened.reason().toStdString();
}

TEST_F(SimulatedLine, AWriteIsWhereAVanishedLineCanFirstShow)
{
    ASSERT_NO_FATAL_FAILURE(open());
    m_sim.hangUp();
    const Status written = m_port.write("1*1001\r");
    EXPECT_EQ(written.reason(), m_sim.devicePath() + ": the device was disconnected (the line was hung up)");
    EXPECT_FALSE(m_port.isOpen());
}

TEST_F(SimulatedLine, ALineLostWhileEventsRunIsNoticedWithoutACallOfOurs)
{
    ASSERT_NO_FATAL_FAILURE(open());
    m_sim.hangUp();
    for (int pass = 0; pass < 1000 && m_port.isOpen(); ++pass) {
        QCoreApplication::processEvents();
        usleep(1000);
    }
    EXPECT_FALSE(m_port.isOpen());
    EXPECT_FALSE(m_port.lineStatus());
}

TEST_F(SimulatedLine, ADeviceTheUserMayNotUseNamesTheGroupToJoin)
{
    const QByteArray path = m_sim.devicePath().toLocal8Bit();
    ASSERT_EQ(::chmod(path.constData(), 0), 0);
    const Status opened = [this] {
        const UnprivilegedUser user;
        return m_port.open();
    }();

    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.reason(), QStringLiteral("%1: Permission denied. Your user must belong to the group \"%2\""
                                              " that owns the device; log in again after joining it")
                                   .arg(m_sim.devicePath(), QFileInfo(m_sim.devicePath()).group()));
}

TEST(QtSerialPort, AMissingDeviceGivesOneFailureWithItsNameAndReason)
{
    EnsureCoreApplication();
    TempDir dir;
    const QString absent = dir.path("ttyUSB0");
    struct Case {
        QString device;
        QString reason;
    } cases[] = {
        {absent, absent + ": No such file or directory"},
        {QString(), "COM5: no such serial device on this machine"},
    };
    for (const Case& c : cases) {
        QtSerialPort port([&](int) { return c.device; });
        port.setPortNumber(5);
        const Status opened = port.open();
        EXPECT_EQ(opened.reason(), c.reason);
        EXPECT_FALSE(port.isOpen());
        EXPECT_FALSE(port.write("1*1001\r"));
        EXPECT_FALSE(port.waitForData(1000));
    }
}

TEST(ComPorts, SettingsKeyWinsOtherwiseTheMachinesDevicesInOrder)
{
    const QStringList machine = {"/dev/ttyUSB0", "/dev/ttyACM0", "/dev/ttyS0"};
    const ComPorts ports([](const QString& key) { return key == "COM2" ? QString(" /dev/ttyS9 ") : QString(); },
                         [&] { return machine; });
    const struct {
        int com;
        QString device;
    } cases[] = {{1, "/dev/ttyUSB0"}, {2, "/dev/ttyS9"}, {3, "/dev/ttyS0"}, {4, ""}, {0, ""}, {-1, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(ports.deviceFor(c.com), c.device) << "COM" << c.com;

    EXPECT_EQ(ports.menuDevices(), QStringList({"/dev/ttyUSB0", "/dev/ttyS9", "/dev/ttyS0", "no device",
                                                "no device", "no device", "no device", "no device"}));
}

TEST(ComPorts, ReadsTheKeyOfThePortsSection)
{
    MemoryProfile profile;
    profile.setBytes("zarn.ini", "[Main]\r\nCOM1=/dev/wrong\r\n[Ports]\r\nCOM1=/dev/ttyACM3\r\n");
    const ComPorts ports(ComPorts::portsSection(profile, "zarn.ini"), [] { return QStringList{"/dev/ttyS0"}; });
    EXPECT_EQ(ports.deviceFor(1), "/dev/ttyACM3");
    EXPECT_EQ(ports.deviceFor(2), "");
}

TEST(ComPorts, AdaptersComeFirstThenBuiltInPortsEachByNumber)
{
    const QStringList found = {"/dev/ttyS10", "/dev/ttyAMA0", "/dev/ttyS2", "/dev/ttyUSB10", "/dev/ttyACM1",
                               "/dev/ttyS0", "/dev/ttyUSB2", "/dev/ttyACM0", "/dev/ttyUSB2"};
    EXPECT_EQ(ComPorts::inComOrder(found),
              QStringList({"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyACM1", "/dev/ttyS0",
                           "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyAMA0"}));
    EXPECT_TRUE(ComPorts::inComOrder({}).isEmpty());
}

TEST(ComPorts, BuiltInPortsWithoutAUartAreDropped)
{
    TempDir sys;
    for (const char* tty : {"ttyS0", "ttyS1", "ttyUSB1"})
        ASSERT_TRUE(QDir(sys.root()).mkpath(tty));
    sys.write("ttyS0/type", "4\n"); // 16550A
    sys.write("ttyS1/type", "0\n"); // nothing there
    sys.write("ttyUSB1/type", "0\n");
    EXPECT_EQ(ComPorts::withoutAbsentUarts({"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyUSB1"}, sys.root()),
              QStringList({"/dev/ttyS0", "/dev/ttyS2", "/dev/ttyUSB1"}));
}

TEST(FakeSerialPort, LogsWhatTheLinkDoesAndCanVanish)
{
    FakeClock clock;
    FakeSerialPort port(&clock);
    port.setResponder([&](const QByteArray&) {
        port.queueReply("+");
        port.queueReply("\r\n");
    });
    EXPECT_FALSE(port.waitForData(1000)); // closed: at once
    EXPECT_EQ(clock.sleptMs(), 0);
    ASSERT_TRUE(port.open());
    ASSERT_TRUE(port.setDtr(true));
    ASSERT_TRUE(port.setRts(false));
    clock.sleep(5);
    ASSERT_TRUE(port.write("1*100050\r"));
    EXPECT_TRUE(port.waitForData(1000));
    EXPECT_EQ(port.readAvailable(), "+");
    EXPECT_EQ(port.readAvailable(), "\r\n");
    EXPECT_FALSE(port.waitForData(1000));
    EXPECT_EQ(clock.sleptMs(), 1005);
    port.close();
    EXPECT_EQ(port.log(), QStringList({"open", "dtr 1", "rts 0", "write 1*100050\r", "close"}));
    EXPECT_EQ(port.events().at(3).atMs, 5);

    ASSERT_TRUE(port.open());
    ASSERT_TRUE(port.setRts(true));
    port.vanish();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.rts());
    EXPECT_EQ(port.write("x").reason(), "/dev/ttyFAKE0: the device was disconnected (the line was hung up)");
    EXPECT_EQ(port.open().reason(), "/dev/ttyFAKE0: No such file or directory");
}
