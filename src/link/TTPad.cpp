#include "link/TTPad.h"

#include "link/ControllerLink.h"
#include "platform/Dialogs.h"
#include "platform/SingleLine.h"
#include "platform/SoundOutput.h"
#include "store/AppContext.h"
#include "store/ProgramName.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct PadKey {
    int index;
    const char* caption;
};

// In the keypad's own layout, row by row.
constexpr PadKey PadKeys[4][4] = {
    {{1, "1"}, {2, "2"}, {3, "3"}, {13, "A"}},
    {{4, "4"}, {5, "5"}, {6, "6"}, {14, "B"}},
    {{7, "7"}, {8, "8"}, {9, "9"}, {15, "C"}},
    {{11, "*"}, {0, "0"}, {12, "#"}, {16, "D"}},
};

} // namespace

TTPad::TTPad(AppContext& context, ControllerLink& controller, QWidget* parent)
    : QDialog(parent), m_context(context), m_controller(controller)
{
    setWindowTitle(QStringLiteral("DTMF Dialer"));
    auto* layout = new QGridLayout(this);
    m_txtNum = new QLineEdit(this);
    m_txtNum->setObjectName(QStringLiteral("txtNum"));
    KeepSingleLine(m_txtNum);
    layout->addWidget(m_txtNum, 0, 0, 1, 4);
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const PadKey key = PadKeys[row][column];
            auto* button = new QPushButton(QString::fromLatin1(key.caption), this);
            button->setObjectName(QStringLiteral("cmdNum%1").arg(key.index));
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, key] { cmdNum_Click(key.index); });
            layout->addWidget(button, row + 1, column);
        }
    }
    auto* clear = new QPushButton(QStringLiteral("&Clear"), this);
    clear->setObjectName(QStringLiteral("Clear"));
    auto* exit = new QPushButton(QStringLiteral("C&lose"), this);
    exit->setObjectName(QStringLiteral("Exit"));
    for (QPushButton* button : {clear, exit})
        button->setAutoDefault(false);
    layout->addWidget(clear, 5, 0, 1, 2);
    layout->addWidget(exit, 5, 2, 1, 2);
    connect(clear, &QPushButton::clicked, this, &TTPad::Clear_Click);
    connect(exit, &QPushButton::clicked, this, &TTPad::Exit_Click);

    // The pad sees every key typed in it before the control with the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    installEventFilter(this);
}

void TTPad::cmdNum_Click(int index)
{
    auto* button = findChild<QPushButton*>(QStringLiteral("cmdNum%1").arg(index));
    if (button)
        press({QString::number(index), button->text()});
}

void TTPad::Form_KeyPress(QChar typed) { press({QString(typed), QString(typed)}); }

void TTPad::Clear_Click() { m_txtNum->clear(); }

// Hidden, not closed: the numbers stay for the next showing. A run still
// playing stops at once, its waiting keys dropped, so that the showing ends
// now and the pad can be shown again.
void TTPad::Exit_Click()
{
    hide();
    if (!m_controller.holds(ControllerLink::Job::TestPad))
        return;
    m_stopped = true;
    m_pending.clear();
    m_context.sound.stop();
}

// Each press is a short run of its own. A press that comes while a key plays
// (events pass during playing) waits its turn, so keys and text keep order.
// While another run holds the link, a press plays nothing and the user is told.
void TTPad::press(const Press& p)
{
    if (m_controller.holds(ControllerLink::Job::TestPad)) {
        m_pending << p;
        return;
    }
    const ControllerLink::Claim claim = m_controller.claimOrTell(ControllerLink::Job::TestPad);
    if (!claim)
        return;
    m_stopped = false;
    m_pending << p;
    while (!m_pending.isEmpty()) {
        const Press next = m_pending.takeFirst();
        Status played = m_context.sound.beginRun();
        if (played)
            played = m_controller.player().SendDTMFDigit(next.key);
        const Status ended = m_context.sound.endRun();
        if (played && !ended)
            played = ended;
        if (!played && !m_stopped) {
            m_pending.clear();
            m_context.dialogs.message(ProgramName, played.reason());
        }
        m_txtNum->setText(m_txtNum->text() + next.text);
    }
}

// A typed character is played and shown once: the box does not also take it.
bool TTPad::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool typed = text.size() == 1 && text[0].isPrint()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (typed) {
            Form_KeyPress(text[0]);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
