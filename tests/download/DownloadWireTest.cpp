#include "DownloadServer.h"
#include "MemoryImageBuilder.h"
#include "SampleConfiguration.h"
#include "TempDir.h"
#include "WireFixture.h"
#include "download/DownloadProgress.h"
#include "download/OptionBoardFile.h"
#include "download/TarvexDownload.h"
#include "store/KeyRegistry.h"

#include <QDir>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <sys/resource.h>

using Answer = Dialogs::Answer;

namespace {

const QString TimeoutText = QStringLiteral("Serial Timeout: Data from the Tarvex did not successfully download. "
                                           "Please try again. Press OK to continue.");
const QString ClosingText = QStringLiteral("You should save this download to a dat file before proceeding further");

// The main window names the settings as its tabs show them; here they keep
// their keys, for the tests to find.
QStringList keyNames(const std::vector<Setting>& settings)
{
    QStringList names;
    for (const Setting& s : settings)
        names << FindStem(s).name;
    return names;
}

// The progress window as the transfers drive it; Escape once the bar reaches `cancelAt`.
struct ProgressProbe final : DownloadProgress {
    QStringList captions;
    QList<int> maxima;
    QList<int> values;
    int cancelAt = -1;
    bool shown = false;

    void start(const QString& caption, int maximum) override
    {
        captions << caption;
        maxima << maximum;
        shown = true;
    }
    void setValue(int value) override { values << value; }
    void finish() override { shown = false; }
    bool canceled() const override { return cancelAt >= 0 && !values.isEmpty() && values.back() >= cancelAt; }
};

// The port seen by the program, with the program's clock: when each line
// came in and when each acknowledgement went out.
class TimedPort final : public SerialPort {
public:
    TimedPort(SerialPort& port, Clock& clock) : m_port(port), m_clock(clock) {}
    struct Event {
        std::int64_t atMs;
        bool out;
        QByteArray bytes;
    };
    std::vector<Event> events;

    void setPortNumber(int n) override { m_port.setPortNumber(n); }
    int portNumber() const override { return m_port.portNumber(); }
    QString deviceName() const override { return m_port.deviceName(); }
    Status open() override { return m_port.open(); }
    void close() override { m_port.close(); }
    bool isOpen() const override { return m_port.isOpen(); }
    Status lineStatus() const override { return m_port.lineStatus(); }
    Status write(const QByteArray& data) override
    {
        events.push_back({m_clock.elapsedMs(), true, data});
        return m_port.write(data);
    }
    QByteArray readAvailable() override
    {
        QByteArray in = m_port.readAvailable();
        if (!in.isEmpty())
            events.push_back({m_clock.elapsedMs(), false, in});
        return in;
    }
    void discardInput() override { m_port.discardInput(); }
    bool waitForData(int ms) override { return m_port.waitForData(ms); }
    Status setDtr(bool on) override { return m_port.setDtr(on); }
    Status setRts(bool on) override { return m_port.setRts(on); }

private:
    SerialPort& m_port;
    Clock& m_clock;
};

class DownloadWire : public WireFixture {
protected:
    void SetUp() override
    {
        WireFixture::SetUp();
        m_msPerPass = 20;
        m_context.settingsFile = m_dir.path("zarn.ini");
        SampleConfiguration(21).fill(m_served);
        m_server.image = BuildMemoryImage(m_served);
        m_server.serve(m_sim);
        m_tables.CurrentLock = "9";
        m_tables.Terminator = "D";
        m_tables.DataSaved = true;
    }

    void run()
    {
        TarvexDownload download(m_context, m_controller, m_progress,
                                {[] { return true; }, [this](bool on) { m_enabled << on; },
                                 [this](const QString& path) { return LoadEramFile(m_tables, path); },
                                 [this](const OptionBoardFile& board) { m_board = board; }, keyNames});
        download.run();
    }

    // The user's answers in turn: the confirmation, then whether the option
    // board is fitted.
    void runAnswering(std::initializer_list<Answer> answers)
    {
        m_dialogs.clear();
        for (const Answer answer : answers)
            m_dialogs.answer(answer);
        run();
    }

    int acknowledgements(const QByteArray& ack = "OK") const
    {
        int n = 0;
        for (const auto& line : m_sim.lines())
            n += line.text == ack;
        return n;
    }
    QString memoryFile() const { return m_dir.path("download.mem"); }
    // The simulator holds its answer back as soon as it has answered.
    void releaseHeld()
    {
        for (int tries = 0; !m_sim.release() && tries < 2000; ++tries)
            QThread::msleep(1);
    }
    bool portClosedAgain() { return !m_port.isOpen() && m_sim.waitForCloses(m_sim.opensSeen()); }

    TempDir m_dir;
    SettingsTables m_served;
    DownloadServer m_server;
    ProgressProbe m_progress;
    QList<bool> m_enabled;
    std::optional<OptionBoardFile> m_board;
};

} // namespace

TEST_F(DownloadWire, AWholeImageArrivesIsWrittenAndParsed)
{
    using Split = DownloadServer::Split;
    struct Case {
        const char* what;
        bool lineEnds;
        Split split;
        int splitEvery;
        bool strayLineEnds = false;
    };
    // Every 64th record in two writes 30 ms apart, as a USB adapter delivers them.
    const Case cases[] = {
        {"line ends", true, Split::AtComma, 0},
        {"no line ends but two stray ones", false, Split::AtComma, 0, true},
        {"no line ends", false, Split::AtComma, 0},
        {"cut before the comma", true, Split::AtComma, 64},
        {"cut before the comma, no line ends", false, Split::AtComma, 64},
        {"cut after the comma", true, Split::AfterComma, 64},
        {"cut after the comma, no line ends", false, Split::AfterComma, 64},
        {"cut inside the value", true, Split::InsideValue, 64},
        {"cut inside the value, no line ends", false, Split::InsideValue, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_server.lineEnds = c.lineEnds;
        m_server.split = c.split;
        m_server.splitEvery = c.splitEvery;
        m_server.sentInstead.clear();
        if (c.strayLineEnds)
            for (const int a : {999, 1000})
                m_server.sentInstead[a] = "\r\n" + QByteArray::number(a) + ',' + QByteArray::number(m_server.image[a]);
        const int acksBefore = acknowledgements();
        runAnswering({Answer::Yes, Answer::No});

        EXPECT_EQ(acknowledgements() - acksBefore, MemoryImageSize);
        const QByteArray file = TempDir::read(memoryFile());
        EXPECT_EQ(file.count('\n'), MemoryImageSize);
        EXPECT_EQ(file, MemoryFileText(m_server.image));
        EXPECT_EQ(m_profile.read(m_context.settingsFile, "Main", "MemFile"), memoryFile());
        EXPECT_TRUE(portClosedAgain());
        EXPECT_EQ(m_progress.maxima.back(), MemoryImageSize);
        EXPECT_EQ(m_progress.values.back(), MemoryImageSize); // full at the end
        EXPECT_FALSE(m_progress.shown);
        EXPECT_EQ(m_enabled, QList<bool>({false, true}));
        m_enabled.clear();
        ASSERT_EQ(m_dialogs.shown().size(), 3u) << m_dialogs.messageTexts().join("\n").toStdString();
        EXPECT_EQ(m_dialogs.shown()[1].title, "Download from Vindel");
        EXPECT_TRUE(m_dialogs.shown()[2].text.startsWith(ClosingText));
        EXPECT_TRUE(m_dialogs.shown()[2].text.contains("RxEnable"));
        // Every setting the image holds is the served one; the parse left the file unsaved.
        for (const LayoutRow& row : MemoryLayout())
            for (int e = 1; row.setting.isSet() && e <= row.count; ++e)
                EXPECT_EQ(row.setting.at(m_tables, e), row.setting.at(m_served, e)) << "line " << row.line(e);
        EXPECT_FALSE(m_tables.DataSaved);
    }
    // The start command went out bare, once a download.
    EXPECT_EQ(m_sim.lines().front().text, "1SendEram");
}

TEST_F(DownloadWire, ATransferThatStopsShortChangesNothing)
{
    struct Case {
        const char* what;
        int silentAfter;
        int completeAfter;
        int cancelAt;
        QString message;
        QByteArray record100 = {}; // sent in place of the record of address 100
    };
    const Case cases[] = {
        {"silence after 100", 100, -1, -1, TimeoutText},
        {"Complete after 3000", -1, 3000, -1,
         "Download from Tarvex: Download incomplete: 3000 of 4096 records arrived. Nothing was changed."},
        {"a value of ten digits", -1, -1, -1,
         "Download from Tarvex: Record 101 from the Tarvex is not the record of address 100 (\"100,2222222222\"). "
         "Nothing was changed.",
         "100,2222222222\r\n"},
        {"a value of ten digits, no line end", -1, -1, -1,
         "Download from Tarvex: Record 101 from the Tarvex is not the record of address 100 (\"100,2222222222\"). "
         "Nothing was changed.",
         "100,2222222222"},
        {"a C1 byte in a value", -1, -1, -1,
         "Download from Tarvex: Record 101 from the Tarvex is not the record of address 100 (\"100,1?\"). "
         "Nothing was changed.",
         "100,1\x85\r\n"},
        // Last: the controller answers the last acknowledgement after the cancel.
        {"Escape", -1, -1, 500, "Tarvex Programmer: Download Canceled. Click OK to return to Zarn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_server.silentAfter = c.silentAfter;
        m_server.completeAfter = c.completeAfter;
        m_progress.cancelAt = c.cancelAt;
        m_server.sentInstead.clear();
        if (!c.record100.isEmpty())
            m_server.sentInstead[100] = c.record100;
        m_tables.HangTime[1] = "77";
        m_dir.write("download.mem", "earlier");
        const int linesBefore = int(m_sim.lines().size());
        runAnswering({Answer::Yes});

        EXPECT_EQ(m_dialogs.messageTexts().back(), c.message);
        EXPECT_EQ(m_dialogs.shown().size(), 2u) << "no option board question";
        EXPECT_EQ(m_tables.HangTime[1], "77");
        EXPECT_TRUE(m_tables.DataSaved);
        EXPECT_EQ(TempDir::read(memoryFile()), "earlier");
        EXPECT_TRUE(portClosedAgain());
        EXPECT_FALSE(m_progress.shown);
        // Nothing invented: the start and one acknowledgement per record.
        const auto lines = m_sim.lines();
        for (std::size_t i = std::size_t(linesBefore) + 1; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].text, "OK") << i;
    }
}

TEST_F(DownloadWire, RefusedOrDeclinedSendsAndWritesNothing)
{
    m_tables.ComPortValue = "";
    run();
    EXPECT_EQ(m_dialogs.messageTexts(),
              QStringList{"Error!: You may not download from the Tarvex in DTMF Mode. Please change to Serial Port "
                          "Mode and try again"});
    m_tables.ComPortValue = "3";
    m_tables.DataSaved = false;
    runAnswering({Answer::No});
    EXPECT_EQ(m_dialogs.shown().back().title, "Confirm Download");
    EXPECT_TRUE(m_dialogs.shown().back().text.contains("will be replaced"));
    EXPECT_FALSE(QFile::exists(memoryFile()));
    EXPECT_EQ(m_profile.read(m_context.settingsFile, "Main", "MemFile"), "");
    EXPECT_EQ(m_sim.opensSeen(), 0);
    EXPECT_TRUE(m_enabled.isEmpty());
}

TEST_F(DownloadWire, TheOptionBoardFillsAutodialTollAndTheAnswerBoxes)
{
    TimedPort timed(m_port, m_clock);
    StandInLink link(m_tables, timed, m_sound, m_dialogs, m_clock);
    m_server.boardLines = {"RA007555", "RT012911", "RS", "RR4", "RX", "RA300123", "RTabc"};
    m_dialogs.answer(Answer::Yes);
    m_dialogs.answer(Answer::Yes); // the option board
    TarvexDownload download(m_context, link, m_progress,
                            {[] { return true; }, [](bool) {},
                             [this](const QString& path) { return LoadEramFile(m_tables, path); },
                             [this](const OptionBoardFile& board) { m_board = board; }, keyNames});
    download.run();

    EXPECT_EQ(m_tables.AutoDial[7], "555");
    EXPECT_TRUE(m_tables.AutoDialChanged[7]);
    EXPECT_EQ(m_tables.TollRestrict[12], "911");
    EXPECT_FALSE(m_tables.TollRestrictChanged[12]);
    EXPECT_TRUE(m_tables.SpecialCodesChanged);
    ASSERT_TRUE(m_board);
    EXPECT_EQ(m_board->tollRestrict, (std::vector<std::pair<int, QString>>{{12, "911"}}));
    EXPECT_EQ(m_board->answerCode, "");
    EXPECT_EQ(m_board->ringNumber, "4");
    EXPECT_EQ(m_board->skipped, 2);
    EXPECT_EQ(TempDir::read(m_dir.path("Tempfile.dat")),
              "RA007555\r\nRT012911\r\nRS\r\nRR4\r\nRX\r\nRA300123\r\nRTabc\r\nComplete\r\n");
    EXPECT_EQ(m_progress.captions.back(), "Downloading From Autopatch");
    EXPECT_EQ(m_progress.values.back(), 7);
    EXPECT_TRUE(m_dialogs.shown().back().text.contains("2 line(s)"));
    EXPECT_FALSE(m_dialogs.shown().back().text.contains("AutoDial"));
    EXPECT_TRUE(m_dialogs.shown().back().text.contains(
        "From the option board 1 autodial number(s) were stored. Its toll restriction list (1 entries, in the "
        "board's order), its answer code \"\" and its number of rings \"4\" wait on the Special Codes/Autopatch tab"))
        << m_dialogs.shown().back().text.toStdString();
    // Each "o" a second or more after its line came; "+SendA" got none.
    std::int64_t lineAt = -1;
    int acks = 0;
    bool board = false;
    for (const auto& e : timed.events) {
        if (e.out && e.bytes == "1SendAPEram\r")
            board = true;
        if (!board)
            continue;
        if (!e.out && e.bytes.contains("R"))
            lineAt = e.atMs;
        if (e.out && e.bytes == "o\r") {
            ++acks;
            EXPECT_GE(e.atMs - lineAt, 1000);
        }
    }
    EXPECT_EQ(acks, 7);
    EXPECT_TRUE(portClosedAgain());
}

// The toll restriction list is one whole: a board that stops short leaves the
// list as it was; what did arrive of the rest is put in, both parses run.
TEST_F(DownloadWire, AnOptionBoardThatFallsSilentKeepsTheTollListAsItWas)
{
    const struct {
        const char* what;
        int silentAfter;
        int autoDials;
    } cases[] = {
        {"silent after the start", 0, 0},
        {"cut off after two toll entries", 3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_server.boardLines = {"RA001111", "RT001911", "RT002411", "RA003333", "RS12"};
        m_server.boardSilentAfter = c.silentAfter;
        m_tables.TollRestrict[1] = "555";
        m_tables.TollRestrict[2] = "";
        m_tables.AutoDial[1] = "";
        m_board.reset();
        runAnswering({Answer::Yes, Answer::Yes});
        EXPECT_TRUE(m_dialogs.messageTexts().contains("Serial Timeout: Data from Vindel did not successfully "
                                                      "download. Please try again. Press OK to continue."));
        EXPECT_EQ(m_tables.TollRestrict[1], "555");
        EXPECT_EQ(m_tables.TollRestrict[2], "");
        EXPECT_EQ(m_tables.AutoDial[1], c.autoDials ? "111" : "");
        EXPECT_EQ(m_tables.HangTime[1], m_served.HangTime[1]);
        ASSERT_TRUE(m_board);
        EXPECT_FALSE(m_board->tollRestrict) << "the access code editor keeps its list";
        const QString closing = m_dialogs.shown().back().text;
        EXPECT_TRUE(closing.startsWith(ClosingText));
        EXPECT_TRUE(closing.contains(QStringLiteral("The option board's memory did not arrive whole; what arrived was "
                                                    "put in. From the option board %1 autodial number(s) were "
                                                    "stored. Its toll restriction list did not arrive whole and "
                                                    "stays as it was. The board sent no answer code and no number "
                                                    "of rings; they keep their earlier values.")
                                         .arg(c.autoDials)))
            << closing.toStdString();
        EXPECT_TRUE(closing.contains("TollRestrict")) << "named among the settings that keep their values";
        EXPECT_EQ(TempDir::read(m_dir.path("Tempfile.dat")),
                  QByteArray("RA001111\r\nRT001911\r\nRT002411\r\n").first(c.silentAfter * 10));
    }
}

TEST_F(DownloadWire, APortOrAFileThatWillNotOpenIsToldAndNothingIsSent)
{
    m_tables.ComPortValue = "5"; // no device behind it
    runAnswering({Answer::Yes});
    EXPECT_TRUE(m_dialogs.messageTexts().back().contains("COM5 is in use by another program"));
    EXPECT_FALSE(QFile::exists(memoryFile()));

    m_tables.ComPortValue = "3";
    m_context.settingsFile = m_dir.path("missing/zarn.ini");
    runAnswering({Answer::Yes});
    EXPECT_TRUE(m_dialogs.messageTexts().back().startsWith("Download from Tarvex: "));
    EXPECT_TRUE(m_sim.lines().empty());
    EXPECT_TRUE(portClosedAgain());
}

// The option board's cancel sends its lock line alone; both parses still run.
TEST_F(DownloadWire, AnOptionBoardCancelSendsTheLockLineOnly)
{
    m_server.boardLines = {"RA001111", "RA002222", "RA003333"};
    m_dialogs.answer(Answer::Yes);
    m_dialogs.answer(Answer::Yes);
    // Escape once the option board's second line is on the bar.
    m_onEvents = [this] {
        if (m_progress.captions.size() == 2 && !m_progress.values.isEmpty() && m_progress.values.back() == 2)
            m_progress.cancelAt = 0;
    };
    run();
    EXPECT_TRUE(m_dialogs.messageTexts().contains("Tarvex Programmer: Download Canceled. Click OK to return to Zarn"));
    const auto lines = m_sim.lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3].text, "1SendAPEram");
    EXPECT_EQ(lines[lines.size() - 2].text, "o");
    EXPECT_EQ(lines.back().text, "9D");
    EXPECT_EQ(m_tables.AutoDial[2], "222");
    EXPECT_EQ(m_tables.HangTime[1], m_served.HangTime[1]);
    EXPECT_TRUE(m_dialogs.shown().back().text.startsWith(ClosingText));
    EXPECT_TRUE(portClosedAgain());
}

TEST_F(DownloadWire, ControlCharactersFromTheOptionBoardReachNoSettingAndNoFile)
{
    m_server.boardLines = {QByteArray("RA011\0" "555", 9), "RS12\x01 34", "RT003\x85" "911\x7f"};
    runAnswering({Answer::Yes, Answer::Yes});
    EXPECT_EQ(m_tables.AutoDial[11], "555");
    EXPECT_EQ(m_tables.TollRestrict[3], "911");
    EXPECT_EQ(TempDir::read(m_dir.path("Tempfile.dat")), "RA011555\r\nRS12 34\r\nRT003911\r\nComplete\r\n");
    EXPECT_EQ(acknowledgements("o"), 3);
}

// Escape during the image, and the record the controller was sending then
// arrives late: a second download at once starts on an empty port and
// completes.
TEST_F(DownloadWire, ARecordLeftInThePortDoesNotSpoilTheNextDownload)
{
    m_server.heldRecord = 1600;
    m_progress.cancelAt = 1600;
    m_dialogs.onMessage([this](const ScriptedDialogs::Shown& shown) {
        if (shown.text.startsWith("Download Canceled"))
            releaseHeld();
    });
    runAnswering({Answer::Yes});
    ASSERT_EQ(m_dialogs.messageTexts().back(), "Tarvex Programmer: Download Canceled. Click OK to return to Zarn");

    m_progress.cancelAt = -1;
    runAnswering({Answer::Yes, Answer::No});
    ASSERT_EQ(m_dialogs.shown().size(), 3u) << m_dialogs.messageTexts().join("\n").toStdString();
    EXPECT_TRUE(m_dialogs.shown()[2].text.startsWith(ClosingText));
    EXPECT_EQ(TempDir::read(memoryFile()), MemoryFileText(m_server.image));
}

// A second "Complete" and noise that came after the image's end, left in the
// port, are no lines of the board: its lines all arrive, each acknowledged
// once, in step.
TEST_F(DownloadWire, BytesBeforeTheBoardsStartAreNoneOfItsLines)
{
    m_server.heldAfterImage = "Complete\r\n\x01noise 12";
    m_server.boardLines = {"RA007555", "RT001911", "RS12", "RR4"};
    // Into the port during the pause the program takes after "Complete", once it read no more.
    m_clock.onSleep([this](int ms) {
        if (ms == 100 && m_progress.captions.size() == 1) {
            releaseHeld();
            QThread::msleep(20);
        }
    });
    runAnswering({Answer::Yes, Answer::Yes});
    EXPECT_EQ(TempDir::read(m_dir.path("Tempfile.dat")), "RA007555\r\nRT001911\r\nRS12\r\nRR4\r\nComplete\r\n");
    EXPECT_EQ(acknowledgements("o"), 4);
    EXPECT_EQ(m_tables.AutoDial[7], "555");
    EXPECT_EQ(m_tables.TollRestrict[1], "911");
}

// A record the controller was still sending, delivered by the adapter 20 ms
// after the program began emptying the port for a start command: one of a
// cancelled download before the image's, one that followed the image's end
// before the board's. Neither enters its transfer.
TEST_F(DownloadWire, BytesArrivingWhileThePortIsEmptiedEnterNoTransfer)
{
    const QByteArrayList board{"RA007555", "RT001911"};
    for (const bool beforeBoard : {false, true}) {
        SCOPED_TRACE(beforeBoard ? "before the board's start" : "before the image's start");
        m_server.boardLines = board;
        if (beforeBoard) {
            m_server.heldAfterImage = "RA009999\r\n";
        } else {
            m_server.heldRecord = 1600;
            m_progress.cancelAt = 1600;
            runAnswering({Answer::Yes});
            ASSERT_EQ(m_dialogs.messageTexts().back(), "Tarvex Programmer: Download Canceled. Click OK to return to Zarn");
            m_progress.cancelAt = -1;
        }
        const int transfer = beforeBoard ? 2 : 1; // the progress window's caption of that transfer
        std::optional<std::int64_t> began;
        bool released = false;
        m_clock.onSleep([&](int ms) {
            if (int(m_progress.captions.size()) != transfer || released)
                return;
            if (!began)
                began = m_clock.elapsedMs() - ms; // the first wait of the transfer
            else if (m_clock.elapsedMs() - *began >= 20 && m_sim.release()) {
                released = true;
                m_port.waitForData(2000); // arrived, not yet read
            }
        });
        m_progress.captions.clear();
        const int acksBefore = acknowledgements("o");
        runAnswering({Answer::Yes, Answer::Yes});
        m_clock.onSleep({});
        EXPECT_TRUE(released);
        EXPECT_TRUE(m_dialogs.shown().back().text.startsWith(ClosingText)) << m_dialogs.messageTexts().join("\n").toStdString();
        EXPECT_EQ(TempDir::read(memoryFile()), MemoryFileText(m_server.image));
        EXPECT_EQ(TempDir::read(m_dir.path("Tempfile.dat")), "RA007555\r\nRT001911\r\nComplete\r\n");
        EXPECT_EQ(acknowledgements("o") - acksBefore, board.size());
        EXPECT_EQ(m_tables.AutoDial[9], "");
    }
}

// A board slow to begin: its first line 4.5 s after the start command, the
// echo at once. Stored and acknowledged whether or not it ends with a line
// end, though without one it is taken only a second after it came.
TEST_F(DownloadWire, AnOptionBoardsLateFirstLineIsStored)
{
    // Five ticks of the one-second timer are 4 to 5 s: the board's start
    // falls early in a tick, the clock at a whole second as the user answers.
    m_dialogs.onMessage([this](const ScriptedDialogs::Shown& shown) {
        if (shown.title == "Download from Vindel")
            m_clock.sleep(int(1000 - m_clock.elapsedMs() % 1000));
    });
    std::optional<std::int64_t> startedAt;
    m_onEvents = [&] {
        if (m_progress.captions.size() != 2)
            return;
        if (!startedAt)
            startedAt = m_clock.elapsedMs(); // the first pass after "1SendAPEram"
        else if (m_clock.elapsedMs() - *startedAt >= 4500 && m_sim.release())
            m_port.waitForData(2000);
    };
    for (const bool lineEnds : {true, false}) {
        SCOPED_TRACE(lineEnds ? "CR LF" : "no line ends");
        m_server.boardLines = {"RA007555"};
        m_server.boardLineEnds = lineEnds;
        m_server.boardFirstHeld = true;
        m_tables.AutoDial[7] = "";
        startedAt.reset();
        m_progress.captions.clear();
        const int acksBefore = acknowledgements("o");
        runAnswering({Answer::Yes, Answer::Yes});
        EXPECT_FALSE(m_dialogs.messageTexts().join("\n").contains("Serial Timeout"))
            << m_dialogs.messageTexts().join("\n").toStdString();
        EXPECT_EQ(TempDir::read(m_dir.path("Tempfile.dat")), "RA007555\r\nComplete\r\n");
        EXPECT_EQ(acknowledgements("o") - acksBefore, 1);
        EXPECT_EQ(m_tables.AutoDial[7], "555");
        QThread::msleep(2 * m_server.splitPauseMs); // the rest of an end marker taken at its first five characters
    }
}

// However the adapter cuts the board's lines, and wherever the board sends
// the next line ahead of the "o", the same file and settings as a board
// whose lines come whole.
TEST_F(DownloadWire, TheOptionBoardsLinesWhateverTheAdapterMakesOfThem)
{
    const QByteArrayList lines{"RA007555", "RT012911", "RS1234", "RR4"};
    const QByteArray file = "RA007555\r\nRT012911\r\nRS1234\r\nRR4\r\nComplete\r\n";
    struct Case {
        std::string what;
        bool lineEnds = true;
        int cut = 0;
        bool echoGlued = false;
        int ahead = 0;
    };
    std::vector<Case> cases{
        {"whole lines"},
        {"cut in the tag", true, 1},
        {"cut in the index", true, 4},
        {"cut in the value", true, 6},
        {"cut before the line end", true, 8},
        {"cut in the tag, no line ends", false, 1},
        {"cut in the index, no line ends", false, 4},
        {"cut in the value, no line ends", false, 6},
        {"the echo glued to the first line", true, 0, true},
        {"the echo glued, no line ends", false, 0, true},
    };
    for (int ahead = 1; ahead < 6; ++ahead) // within the shortest line with its line end, "RR4"
        cases.push_back({"the next line " + std::to_string(ahead) + " byte(s) ahead", true, 0, false, ahead});
    m_msPerPass = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_server.boardLines = lines;
        m_server.boardLineEnds = c.lineEnds;
        m_server.boardCut = c.cut;
        m_server.echoGlued = c.echoGlued;
        m_server.boardAhead = c.ahead;
        m_tables.AutoDial[7] = "";
        m_board.reset();
        const int acksBefore = acknowledgements("o");
        runAnswering({Answer::Yes, Answer::Yes});
        EXPECT_EQ(TempDir::read(m_dir.path("Tempfile.dat")), file);
        EXPECT_EQ(acknowledgements("o") - acksBefore, lines.size());
        EXPECT_EQ(m_tables.AutoDial[7], "555");
        EXPECT_EQ(m_tables.TollRestrict[12], "911");
        ASSERT_TRUE(m_board) << m_dialogs.messageTexts().join("\n").toStdString();
        EXPECT_EQ(m_board->answerCode, "1234");
        EXPECT_EQ(m_board->ringNumber, "4");
        EXPECT_EQ(m_board->skipped, 0);
        // The end marker is taken at its first five characters: the rest of
        // a cut one lands before the next download starts, as the user's
        // answers would let it.
        QThread::msleep(2 * m_server.splitPauseMs);
    }
}

// Line noise that is no control character (0xFF, a Latin-1 or UTF-8 letter)
// inside a value: the line is skipped and counted, its setting untouched.
TEST_F(DownloadWire, ANoisyOptionBoardValueIsSkippedAndCounted)
{
    m_server.boardLines = {"RT002\xff" "911", "RA005" "5\xc3\xa9" "5", "RT003\xe9" "11", "RS1\xa0", "RA006555"};
    m_tables.TollRestrict[2] = "411";
    m_tables.AutoDial[5] = "123";
    runAnswering({Answer::Yes, Answer::Yes});
    EXPECT_EQ(m_tables.TollRestrict[2], "411");
    EXPECT_EQ(m_tables.TollRestrict[3], "");
    EXPECT_EQ(m_tables.AutoDial[5], "123");
    EXPECT_EQ(m_tables.AutoDial[6], "555");
    ASSERT_TRUE(m_board);
    EXPECT_EQ(m_board->tollRestrict, (std::vector<std::pair<int, QString>>{}));
    EXPECT_FALSE(m_board->answerCode);
    EXPECT_EQ(m_board->skipped, 4);
    EXPECT_TRUE(m_dialogs.shown().back().text.contains(
        "4 line(s) of the option board's memory named no autodial slot or toll restriction entry, or held a value "
        "that is not made of DTMF keys, and were skipped."));
}

namespace {

// Files that cannot grow past `bytes`, as on a full disk: the system refuses
// the write that passes it, with its reason.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN); // the refusal, not the signal
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

// A file that cannot be written whole is told with the system's reason; the
// earlier file stays, and an earlier option board file is not read as this
// board's memory. The disk fills up as a transfer ends, once the port (and
// its lock file) is open.
TEST_F(DownloadWire, AFileThatCannotBeWrittenIsToldAndTheEarlierOneKept)
{
    const QString tooLarge = qt_error_string(EFBIG);
    std::optional<FileSizeLimit> full;
    int fillAtTransfer = 1; // the image; 2, the option board
    m_clock.onSleep([&](int ms) {
        if (ms == 100 && m_progress.captions.size() == fillAtTransfer && !full)
            full.emplace(20);
    });
    m_dir.write("download.mem", "earlier");
    m_tables.HangTime[1] = "77";
    runAnswering({Answer::Yes});
    full.reset();
    EXPECT_EQ(m_dialogs.messageTexts().back(),
              QStringLiteral("Download from Tarvex: The file %1 cannot be written: %2. Nothing was changed.")
                  .arg(memoryFile(), tooLarge));
    EXPECT_EQ(TempDir::read(memoryFile()), "earlier");
    EXPECT_EQ(m_tables.HangTime[1], "77");
    EXPECT_EQ(QDir(m_dir.root()).entryList(QDir::Files), QStringList{"download.mem"}) << "no temporary file left";

    m_dir.write("Tempfile.dat", "RA009999\r\nRT001411\r\nComplete\r\n");
    m_server.boardLines = {"RA007555", "RT012911", "RS1234", "RR4"};
    fillAtTransfer = 2;
    m_progress.captions.clear();
    runAnswering({Answer::Yes, Answer::Yes});
    full.reset();
    EXPECT_TRUE(m_dialogs.messageTexts().contains(
        QStringLiteral("Download from Vindel: The file %1 cannot be written: %2.")
            .arg(m_dir.path("Tempfile.dat"), tooLarge)))
        << m_dialogs.messageTexts().join("\n").toStdString();
    EXPECT_EQ(TempDir::read(m_dir.path("Tempfile.dat")), "RA009999\r\nRT001411\r\nComplete\r\n");
    EXPECT_FALSE(m_board);
    EXPECT_EQ(m_tables.AutoDial[9], "");
    EXPECT_EQ(m_tables.AutoDial[7], "");
    EXPECT_EQ(m_tables.TollRestrict[1], "");
    EXPECT_EQ(m_tables.HangTime[1], m_served.HangTime[1]) << "the memory image was stored";
    EXPECT_TRUE(m_dialogs.shown().back().text.startsWith(ClosingText));
}
