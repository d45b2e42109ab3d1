#include "editors/speech/MessageMacros.h"

#include "editors/ControlNames.h"
#include "editors/speech/MessageFields.h"
#include "editors/speech/SpeechLists.h"
#include "link/VoiceTrackRecording.h"
#include "platform/Dialogs.h"
#include "store/AppContext.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

using S = SettingsTables;

namespace {

constexpr int MessagesPerPage = 10;
const InsertionRule Words{true, InsertionRule::AfterSelection::AfterItem};

// Stored as Apply stores it, tidied in the tables as the editor loads and as
// a box is left, with no flag: the same words. An empty box is an empty
// macro, "NONE STORED", shown as a hint.
FormRow messageRow()
{
    FieldDefinition f =
        MessageField(MessageMacroBox, Bind(&S::MessageMacro, &S::MessageMacroChanged), &StoredMessageMacro);
    f.caption = QStringLiteral("Message Macro");
    f.load = LoadForm::Tidied(&StoredMessageMacro);
    f.tidy = &StoredMessageMacro;
    f.tidiesStored = true;
    return {{}, QStringLiteral("MessageSet"), {}, TextBoxEmptyAs(NoneStored, NoneStored), f};
}

} // namespace

MessageMacros::MessageMacros(AppContext& context, ControllerLink& link, QWidget* parent)
    : SettingsEditor(context, {&S::MessageMacrosChanged}, parent), m_link(link)
{
    setWindowTitle(QStringLiteral("Message Macros"));
    const FormRow row = messageRow();
    QTabWidget* pages = EditorPages(QStringLiteral("SSTab1"));
    for (int first = 1; first <= Count::MessageMacros; first += MessagesPerPage)
        pages->addTab(page(row, first), QStringLiteral("%1-%2").arg(first).arg(first + MessagesPerPage - 1));
    m_messages = fieldOf(row.field.setting);
    setInsertionBoxes({m_messages});

    auto* side = new QVBoxLayout;
    side->addWidget(listPanel());
    side->addWidget(recorderFrame());
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(side);
    layout->addLayout(applyButtons(Qt::Vertical, QStringLiteral("CancelChanges"), QStringLiteral("&Cancel Changes")));
    loadControls();
    m_counter->clear();
    m_vocabulary->setEnabled(false);
}

QWidget* MessageMacros::page(const FormRow& row, int first)
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    for (int i = first; i < first + MessagesPerPage; ++i) {
        FormRow numbered = row;
        numbered.caption = QString::number(i);
        QWidget* box = addRow(grid, i - first, numbered, At(i));
        box->setMaximumWidth(QWIDGETSIZE_MAX);
        box->setMinimumWidth(380);
    }
    grid->setRowStretch(MessagesPerPage, 1);
    return page;
}

QWidget* MessageMacros::listPanel()
{
    m_vocabulary = new QListWidget;
    m_vocabulary->setObjectName(QStringLiteral("VocabList"));
    m_vocabulary->addItems(VocabularyRows(false));
    m_vocabulary->setToolTip(QStringLiteral("Double-click a word to put it into the message box last entered"));
    connect(m_vocabulary, &QListWidget::itemDoubleClicked, this, [this] { BuildVoiceMessage(); });
    m_counter = CounterBox(QStringLiteral("CharCounter"));
    auto* grid = new QGridLayout;
    grid->addWidget(NamedLabel(QStringLiteral("Vocabulary List"), QStringLiteral("VocabListLabel")), 0, 0, 1, 2);
    grid->addWidget(m_vocabulary, 1, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Word Counter")), 2, 0);
    grid->addWidget(m_counter, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("(9 Max)")), 3, 0);
    auto* panel = new QWidget;
    panel->setLayout(grid);
    return panel;
}

QWidget* MessageMacros::recorderFrame()
{
    auto* track = new QComboBox;
    track->setObjectName(QStringLiteral("DVRTrackSet"));
    for (int t = 1; t <= Count::VoiceTracks; ++t)
        track->addItem(QString::number(t));
    // Only a choice of the user's sets the track.
    connect(track, &QComboBox::activated, this, [this, track](int index) { m_track = track->itemText(index).toInt(); });
    auto* load = new QPushButton(QStringLiteral("&Load Wav"));
    load->setObjectName(QStringLiteral("GetFile"));
    connect(load, &QPushButton::clicked, this, &MessageMacros::GetFile_Click);
    auto* send = new QPushButton(QStringLiteral("&Send to Tarvex"));
    send->setObjectName(QStringLiteral("SendToTarvex"));
    connect(send, &QPushButton::clicked, this, &MessageMacros::SendToTarvex_Click);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("DVR Track")), 0, 0);
    grid->addWidget(track, 0, 1);
    grid->addWidget(load, 1, 0, 1, 2);
    grid->addWidget(send, 2, 0, 1, 2);
    QGroupBox* frame = Frame(QStringLiteral("DVR Wave Record"), grid);
    frame->setObjectName(QStringLiteral("Frame1"));
    return frame;
}

void MessageMacros::showCount(int message)
{
    m_counter->setText(QString::number(MessageCount(control<QLineEdit>(QStringLiteral("MessageSet"), message)->text())));
}

void MessageMacros::changed(int field, int index)
{
    if (field == m_messages)
        showCount(index);
}

void MessageMacros::entered(int field, int index)
{
    if (field != m_messages)
        return;
    m_vocabulary->setEnabled(true);
    showCount(index);
}

void MessageMacros::left(int field, int, bool)
{
    // The list stays in use only when the focus went to it, or to the page
    // tabs: a word goes into the box last entered from any page.
    QWidget* now = QApplication::focusWidget();
    const bool pageTab = qobject_cast<QTabBar*>(now) && isAncestorOf(now);
    if (field == m_messages && now != m_vocabulary && !pageTab)
        m_vocabulary->setEnabled(false);
}

void MessageMacros::afterCancel() { m_vocabulary->setEnabled(false); }

void MessageMacros::BuildVoiceMessage()
{
    if (const QListWidgetItem* word = m_vocabulary->currentItem())
        insertAtTarget(word->text(), Words);
}

// The dialog opens where the last file was chosen.
void MessageMacros::GetFile_Click()
{
    QString& chosen = context().tables.WavFileName;
    const QString folder = chosen.isEmpty() ? QString() : QFileInfo(chosen).absolutePath();
    if (const auto path =
            context().dialogs.openFile(QStringLiteral("Open Wav File"), folder, QStringLiteral("Wav Files (*.wav)")))
        chosen = *path;
}

void MessageMacros::SendToTarvex_Click()
{
    runDisabled([this] { return RecordVoiceTrack(context().tables, m_link, context().dialogs, m_track); });
}
