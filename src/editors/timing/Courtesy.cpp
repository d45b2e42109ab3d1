#include "editors/timing/Courtesy.h"

#include "platform/SoundOutput.h"
#include "store/AppContext.h"
#include "store/CourtesyArrays.h"
#include "store/ProgramName.h"
#include "store/TextHelpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>

using S = SettingsTables;

namespace {

// What every box of a kind shares: its name, unit, range and message.
struct BoxKind {
    CourtesyField field;
    const char* name;
    const char* unit;
    int max;
    const char* message;
};
constexpr BoxKind DelayBox{CourtesyField::Delay, "Delay", "ms", CourtesyMaxMs,
                           "The delay value must be less than 32768"};
constexpr BoxKind DurationBox{CourtesyField::Dur, "Dur", "ms", CourtesyMaxMs,
                              "The duration value must be less than 32768"};
constexpr BoxKind ToneBox{CourtesyField::Tone, "Tone", "Hz", CourtesyMaxHz,
                          "The tone value must be between 0 and 3500"};

// The four rows of a segment's frame; a tone row's array is 2s-1 or 2s.
struct SegmentRow {
    const char* caption;
    const BoxKind* kind;
    int toneOfPair; // 1 or 2 for a tone, 0 otherwise
};
constexpr SegmentRow SegmentRows[] = {
    {"Delay To This Segment", &DelayBox, 0},
    {"Duration", &DurationBox, 0},
    {"Tone 1", &ToneBox, 1},
    {"Tone 2", &ToneBox, 2},
};

int ArrayNumber(const SegmentRow& row, int segment) { return row.toneOfPair ? 2 * segment - 2 + row.toneOfPair : segment; }

// Refused when empty or outside 0..max; "0" is put back and the box keeps the
// focus. Below 0 is for every box alike, though no minus sign gets past the
// digit filter or the file reader.
FieldCheck BoxCheck(const BoxKind& kind)
{
    const double max = kind.max;
    FieldCheck check = Refusing(
        [max](const QString& text) {
            const double value = LeadingNumber(text);
            return text.isEmpty() || value < 0 || value > max;
        },
        QString::fromLatin1(kind.message));
    check.repair = FieldCheck::Repair::Zero;
    check.refocus = true;
    return check;
}

// The box of a row for one port: the arrays of that port, the flag of that
// port's segment, element by courtesy tone.
FormRow PortRow(const SegmentRow& row, int port, int segment)
{
    const BoxKind& kind = *row.kind;
    const int n = ArrayNumber(row, segment);
    // Digits only are typed or pasted, and every value the range check passes
    // reads back; a text put in past that filter must read back too.
    FieldDefinition f = ReaderField(Bind(CourtesyArray(port, kind.field, n), CourtesySegmentFlag(port, segment)),
                                    Intake::AsTyped, LoadForm::AsStored);
    f.check = BoxCheck(kind);
    f.caption = QStringLiteral("Port %1, Segment %2, %3 of courtesy tone")
                    .arg(port)
                    .arg(segment)
                    .arg(QString::fromLatin1(row.caption));
    return {QString::fromLatin1(row.caption), QStringLiteral("%1%2Set").arg(QLatin1String(kind.name)).arg(n),
            QString::fromLatin1(kind.unit), NumberBox(), f};
}

} // namespace

Courtesy::Courtesy(AppContext& context, QWidget* parent) : SettingsEditor(context, {&S::CourtesyChanged}, parent)
{
    setWindowTitle(QStringLiteral("Courtesy Tones"));
    m_pages = EditorPages(QStringLiteral("SSTab1"));
    for (int port = 1; port <= Count::Ports; ++port)
        m_pages->addTab(portPage(port), QStringLiteral("Port %1").arg(port));
    connect(m_pages, &QTabWidget::currentChanged, this, &Courtesy::followShown);

    auto* preview = new QPushButton(QStringLiteral("&Preview"));
    preview->setObjectName(QStringLiteral("Preview"));
    preview->setToolTip(QStringLiteral("Plays the courtesy tone shown, edits included; press again or Esc to stop"));
    // At the press, not the release: the tone sounds as the button goes down,
    // also for Alt+P, whose click Qt delays by 100 ms.
    connect(preview, &QPushButton::pressed, this, &Courtesy::Preview_Click);
    QBoxLayout* buttons =
        applyButtons(Qt::Horizontal, QStringLiteral("CancelChanges"), QStringLiteral("&Cancel Changes"));
    buttons->insertWidget(0, preview);

    // Only while a preview plays, so that Esc keeps its other uses.
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &Courtesy::stopPreview, Qt::WindowShortcut);
    m_escape->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    loadControls();
}

Courtesy::~Courtesy() { stopPreview(); }

QWidget* Courtesy::portPage(int port)
{
    const int selector = m_toneSelect[port - 1] = addSelector(QStringLiteral("CTSet"), Count::CourtesyTones, port);
    auto* select = new QHBoxLayout;
    select->addWidget(new QLabel(QStringLiteral("Courtesy Tone Select")));
    select->addWidget(selectorList(selector));
    select->addStretch();

    auto* segments = new QGridLayout;
    for (int segment = 1; segment <= 4; ++segment) {
        auto* frame = new QGroupBox(QStringLiteral("Segment %1").arg(segment));
        auto* grid = new QGridLayout(frame);
        for (const SegmentRow& row : SegmentRows)
            addRow(grid, grid->rowCount(), PortRow(row, port, segment), ChosenBy(selector, port));
        segments->addWidget(frame, (segment - 1) / 2, (segment - 1) % 2);
    }

    auto* note = new QLabel(QStringLiteral("Note: Setting Segment 1, Tone 1 to less than 41 will cause Tarvex to use "
                                           "Message Macro 1 - 40 for Courtesy Tone"));
    note->setWordWrap(true);

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(select);
    layout->addLayout(segments);
    layout->addWidget(note);
    layout->addStretch();
    return page;
}

int Courtesy::currentPort() const { return m_pages->currentIndex() + 1; }

Courtesy::Shown Courtesy::shown() const
{
    const int port = currentPort();
    return {port, selected(m_toneSelect[port - 1])};
}

const QString& Courtesy::working(int port, CourtesyField field, int n, int tone) const
{
    return copies().copy(fieldOf(CourtesyArray(port, field, n)), tone);
}

CourtesyTone Courtesy::workingTone(const Shown& which) const
{
    const auto [port, tone] = which;
    CourtesyTone segments;
    for (int s = 1; s <= 4; ++s)
        segments[s - 1] = ReadCourtesySegment(working(port, CourtesyField::Delay, s, tone),
                                              working(port, CourtesyField::Dur, s, tone),
                                              working(port, CourtesyField::Tone, 2 * s - 1, tone),
                                              working(port, CourtesyField::Tone, 2 * s, tone));
    return segments;
}

// Events pass while the tone plays, so this runs again for a second press,
// for Esc, or when the window goes. A press while the tone sounds stops it; a
// press once it has ended, in the run's trailing silence, cuts that silence
// and the next preview starts as soon as this run has returned, never inside it.
void Courtesy::Preview_Click()
{
    if (m_preview) {
        m_again = m_preview->soundEnded;
        stopPreview();
        return;
    }
    do {
        m_again = false;
    } while (playPreview() && m_again);
}

// The run may outlive the window: after it, nothing of the window is touched
// until it is known to be still there.
bool Courtesy::playPreview()
{
    m_previewed = shown();
    const CourtesyTone tone = workingTone(m_previewed);
    const auto run = std::make_shared<CourtesyRun>();
    m_preview = run;
    m_escape->setEnabled(true);
    // A modal window (a message, the upload window) takes the sound output over.
    m_watchedWindow = window();
    m_watchedWindow->installEventFilter(this);
    SoundOutput& sound = context().sound;
    Dialogs& dialogs = context().dialogs;
    const QPointer<Courtesy> self(this);

    const Status played = PlayCourtesyTone(sound, tone, *run);

    if (!self)
        return false;
    endPreview();
    m_preview.reset();
    if (!played)
        dialogs.message(ProgramName, played.reason());
    return true;
}

void Courtesy::stopPreview()
{
    if (!m_preview || m_preview->stopRequested)
        return;
    m_preview->stopRequested = true;
    endPreview();
    context().sound.stop();
}

void Courtesy::endPreview()
{
    m_escape->setEnabled(false);
    if (m_watchedWindow)
        m_watchedWindow->removeEventFilter(this);
    m_watchedWindow.clear();
}

void Courtesy::followShown()
{
    if (m_preview && shown() != m_previewed)
        stopPreview();
}

// The tone is the page's: leaving the editor's tab or closing the window stops it.
void Courtesy::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        stopPreview();
    SettingsEditor::hideEvent(event);
}

bool Courtesy::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedWindow && event->type() == QEvent::WindowBlocked)
        stopPreview();
    return SettingsEditor::eventFilter(watched, event);
}

void Courtesy::afterSelect(int /*selector*/) { followShown(); }

// Every page shows tone 1 again, as after loading.
void Courtesy::afterCancel()
{
    for (const int selector : m_toneSelect)
        select(selector, 1);
    followShown();
}
