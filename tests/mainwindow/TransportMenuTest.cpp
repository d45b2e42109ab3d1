#include "MainFixture.h"

#include "link/ControllerLink.h"
#include "mainwindow/PortTest.h"
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

const QString NoPort = "Sorry, that Comport does not exist on your system. Please try again";

} // namespace

class TransportMenuTest : public MainFixture {
protected:
    void SetUp() override { startOn(datFile("a.dat")); }

    // A key's value as the file holds it, leading blank included.
    QString stored(const QString& key) const
    {
        for (const QByteArray& line : TempDir::read(ini()).split('\n'))
            if (line.startsWith(key.toLatin1() + "="))
                return QString::fromLatin1(line.mid(key.size() + 1)).remove('\r');
        return "<missing>";
    }

    // The numbers of the ticked items of a port menu.
    static QList<int> ticked(const std::array<QAction*, 8>& items)
    {
        QList<int> out;
        for (int n = 1; n <= 8; ++n)
            if (items[n - 1]->isChecked())
                out << n;
        return out;
    }
};

TEST_F(TransportMenuTest, ASerialPortTicksOnlyItselfAndTestsThePort)
{
    menus().com[5]->trigger();
    EXPECT_EQ(ticked(menus().com), QList<int>{6});
    EXPECT_EQ(tables.ComPortValue, "6");
    EXPECT_EQ(stored("ComPort"), " 6");
    EXPECT_EQ(serial.portNumber(), 6);
    EXPECT_EQ(serial.log(), (QStringList{"open", "close"}));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(TransportMenuTest, TheModeAndPortsStayWhileARunHoldsTheLink)
{
    menus().com[1]->trigger();
    const QStringList before = serial.log();
    dialogs.clear();
    {
        const ControllerLink::Claim run = main->controller().claim(ControllerLink::Job::AtOnce);
        menus().com[5]->trigger();
        menus().dtmfCom[2]->trigger();
        menus().useDtr->trigger();
        EXPECT_EQ(tables.ComPortValue, "2");
        EXPECT_EQ(ticked(menus().com), QList<int>{2});
        EXPECT_TRUE(ticked(menus().dtmfCom).isEmpty());
        EXPECT_EQ(serial.log(), before) << "no port test closed the port of the run";
        ASSERT_EQ(dialogs.messages().size(), 3u);
        EXPECT_TRUE(dialogs.messages()[0].text.startsWith("The link to the Tarvex is busy"));
    }
    menus().com[5]->trigger();
    EXPECT_EQ(tables.ComPortValue, "6");
}

TEST_F(TransportMenuTest, SerialThenKeyingPortGivesDtmfModeWithTheKeyingPortStored)
{
    menus().com[1]->trigger();
    menus().dtmfCom[2]->trigger();
    EXPECT_EQ(tables.ComPortValue, "0");
    EXPECT_EQ(tables.DTMFComPortValue, "3");
    EXPECT_EQ(iniKey("ComPort"), "0");
    EXPECT_EQ(stored("DTMFComPort"), " 3");
    // DTMF mode: no serial item stays ticked.
    EXPECT_TRUE(ticked(menus().com).isEmpty());
    EXPECT_EQ(ticked(menus().dtmfCom), QList<int>{3});
    EXPECT_EQ(serial.portNumber(), 3);
}

TEST_F(TransportMenuTest, KeyingPortThenSerialPortKeepsMemoryAndFileInStep)
{
    menus().dtmfCom[2]->trigger();
    menus().com[0]->trigger();
    EXPECT_EQ(stored("DTMFComPort"), " 3");
    EXPECT_EQ(tables.DTMFComPortValue, "3");
    EXPECT_EQ(tables.ComPortValue, "1");
    EXPECT_EQ(ticked(menus().com), QList<int>{1});
    EXPECT_EQ(ticked(menus().dtmfCom), QList<int>{3});
}

TEST_F(TransportMenuTest, KeyingLineItemsStoreTheLineAndGiveDtmfMode)
{
    menus().dtmfCom[3]->trigger();
    menus().com[4]->trigger();
    menus().useDtr->trigger();
    EXPECT_EQ(tables.PTTLine, "1");
    EXPECT_EQ(stored("WhichSend"), " 1");
    EXPECT_EQ(iniKey("ComPort"), "0");
    EXPECT_EQ(tables.DTMFComPortValue, "4");
    EXPECT_TRUE(menus().useDtr->isChecked());
    EXPECT_FALSE(menus().useRts->isChecked());
    EXPECT_TRUE(ticked(menus().com).isEmpty());
    EXPECT_EQ(ticked(menus().dtmfCom), QList<int>{4});
    menus().useRts->trigger();
    EXPECT_EQ(iniKey("WhichSend"), "2");
    EXPECT_FALSE(menus().useDtr->isChecked());
    EXPECT_TRUE(menus().useRts->isChecked());
}

TEST_F(TransportMenuTest, PortTestClosesAnOpenPortFirstAndReportsOneMessageWithTheReason)
{
    serial.setPortNumber(2);
    ASSERT_TRUE(serial.open().ok());
    menus().com[3]->trigger();
    EXPECT_EQ(serial.log(), (QStringList{"open", "close", "open", "close"}));
    EXPECT_FALSE(serial.isOpen());

    serial.setOpenFailure("Permission denied");
    menus().com[4]->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const QStringList lines = dialogs.messages()[0].text.split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], NoPort);
    EXPECT_EQ(lines[1], "/dev/ttyFAKE0: Permission denied");
    EXPECT_TRUE(lines[2].contains("group"));
    EXPECT_FALSE(serial.isOpen());
    // The choice stays in force.
    EXPECT_EQ(iniKey("ComPort"), "5");
}

TEST_F(TransportMenuTest, StatusTipsNameTheDevices)
{
    EXPECT_TRUE(menus().com[0]->statusTip().contains("/dev/ttyUSB0"));
    EXPECT_TRUE(menus().dtmfCom[1]->statusTip().contains("/dev/ttyS0"));
}

TEST_F(TransportMenuTest, DtmfDelaysKeepTheAnswerAsTypedAndItsNumber)
{
    struct Case {
        QAction* item;
        const char* key;
        QString* value;
        const char* title;
    } cases[] = {{menus().dtmfDelay, "DTMFDelay", &tables.DTMFDelayValue, "DTMF Interdigit Delay"},
                 {menus().txDelay, "TxTemp", &tables.KeyUpDelayValue, "Set KeyUp Delay"}};
    for (const Case& c : cases) {
        setIniKey(c.key, "40");
        tables.ComPortValue = "2";
        dialogs.clear();
        dialogs.answerText(QString("150ms"));
        c.item->trigger();
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_EQ(dialogs.shown()[0].title, c.title);
        EXPECT_EQ(dialogs.shown()[0].text, "Enter the delay time in milliseconds\n40");
        EXPECT_EQ(*c.value, "150");
        EXPECT_EQ(iniKey(c.key), "150ms");
        EXPECT_EQ(tables.ComPortValue, "0");
        EXPECT_TRUE(ticked(menus().com).isEmpty());

        dialogs.answerText(QString("-5"));
        c.item->trigger();
        EXPECT_EQ(*c.value, "0");

        // Cancel leaves the delay and its key alone.
        *c.value = "150";
        setIniKey(c.key, "150ms");
        dialogs.answerText(std::nullopt);
        c.item->trigger();
        EXPECT_EQ(*c.value, "150");
        EXPECT_EQ(iniKey(c.key), "150ms");
    }
}

// The delay dialogs as the user meets them, in Qt's own input box.
class DelayDialogTest : public MainFixture {
protected:
    void SetUp() override
    {
        context = std::make_unique<AppContext>(
            AppContext{tables, profile, real, clock, log, ini(), serial, comPorts, sound, notices});
        startOn(datFile("a.dat"));
    }
    void TearDown() override { main.reset(); }

    QtDialogs real;
};

// A line break and a tab pasted into the delay are dropped as in the editors'
// boxes, the paste is one undo step, and the one line shown is what is stored.
TEST_F(DelayDialogTest, APastedDelayHoldsOneLine)
{
    const struct {
        QAction* item;
        const char* key;
        QString* value;
    } cases[] = {{menus().dtmfDelay, "DTMFDelay", &tables.DTMFDelayValue},
                 {menus().txDelay, "TxTemp", &tables.KeyUpDelayValue}};
    for (const auto& c : cases) {
        setIniKey(c.key, "40");
        QStringList shown;
        QStringList told;
        // The user in each dialog as it opens: in the input box a paste over
        // the proposed delay, its undo and the paste again, then OK; a
        // message is read and closed.
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* message = qobject_cast<QMessageBox*>(modal)) {
                told << message->text();
                message->accept();
            } else if (auto* dialog = qobject_cast<QInputDialog*>(modal)) {
                auto* box = dialog->findChild<QLineEdit*>();
                QApplication::clipboard()->setText("1\n5\t0");
                for (const auto key : {Qt::Key_V, Qt::Key_Z, Qt::Key_V}) {
                    if (key == Qt::Key_V)
                        box->selectAll();
                    QTest::keyClick(box, key, Qt::ControlModifier);
                    shown << box->text();
                }
                dialog->accept();
            }
        });
        user.start(0);
        c.item->trigger();
        user.stop();
        EXPECT_EQ(shown, (QStringList{"150", "40", "150"})) << c.key;
        EXPECT_TRUE(told.isEmpty()) << told.join('|').toStdString();
        EXPECT_EQ(*c.value, "150");
        EXPECT_EQ(iniKey(c.key), "150");
    }
}

TEST_F(TransportMenuTest, SerialDelayIsAtMostOne)
{
    struct Case {
        std::vector<std::optional<QString>> answers;
        int stored;
        const char* written;
        bool warned;
    } cases[] = {
        {{QString("0")}, 0, " 0", false},
        {{QString("1")}, 1, " 1", false},
        {{QString("0.5")}, 0, " 0", false},
        {{QString("1.5")}, 1, " 1", true}, // rounds to 2
        {{QString("2"), std::nullopt}, 1, " 1", true},
        {{QString("99999999999"), QString("7")}, 1, " 1", true},
        {{QString("-3")}, 0, " 0", false},
    };
    for (const Case& c : cases) {
        dialogs.clear();
        for (const auto& a : c.answers)
            dialogs.answerText(a);
        if (c.warned && c.answers.size() == 1)
            dialogs.answerText(QString("1"));
        menus().serialDelay->trigger();
        EXPECT_EQ(tables.SerialDelayValue, c.stored) << c.answers[0]->toStdString();
        // Only the first write shows the blank: a rewrite keeps the old one too.
        EXPECT_EQ(iniKey("SerialDelay"), QString(c.written).trimmed());
        EXPECT_EQ(dialogs.messageTexts().contains("Tarvex Programmer: Value may be no greater than 1"), c.warned)
            << c.answers[0]->toStdString();
    }
    tables.SerialDelayValue = 1;
    dialogs.answerText(std::nullopt);
    menus().serialDelay->trigger();
    EXPECT_EQ(tables.SerialDelayValue, 1);
    EXPECT_EQ(iniKey("SerialDelay"), "0"); // not written
}
