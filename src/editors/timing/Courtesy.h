#pragma once

#include "editors/SettingsEditor.h"
#include "editors/timing/CourtesyPreview.h"
#include "store/CourtesyArrays.h"

#include <QPointer>

#include <array>
#include <memory>

class QShortcut;
class QTabWidget;

// The ten courtesy tones of each port, one page a port and one tone at a time
// on a page, chosen in its tone selector, with a preview through the sound
// output of the tone shown, as its boxes hold it.
class Courtesy final : public SettingsEditor {
    Q_OBJECT
public:
    explicit Courtesy(AppContext& context, QWidget* parent = nullptr);
    ~Courtesy() override;

    // Plays the tone shown on the current page; pressed while a preview
    // sounds, it stops that one instead, and once its sound has ended, it
    // starts the next at once.
    void Preview_Click();
    // Silences a preview at once; nothing when none plays.
    void stopPreview();

    // The port whose page is shown.
    int currentPort() const;

protected:
    void afterSelect(int selector) override;
    void afterCancel() override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The tone a page shows: its port and the tone picked there.
    struct Shown {
        int port = 0;
        int tone = 0;
        bool operator==(const Shown&) const = default;
    };

    QWidget* portPage(int port);
    const QString& working(int port, CourtesyField field, int n, int tone) const;
    CourtesyTone workingTone(const Shown& which) const;
    Shown shown() const;
    // One preview from the press to the end of its run; false when the
    // window went meanwhile.
    bool playPreview();
    // No more Esc or watching of the window for the preview.
    void endPreview();
    // The preview is of the tone shown: another page or tone shown stops it.
    void followShown();

    QTabWidget* m_pages = nullptr;
    std::array<int, Count::Ports> m_toneSelect{}; // the selector CTSet(p) of each port
    QShortcut* m_escape = nullptr;
    // While a preview runs: its run, shared with the run, which may outlive
    // this window, and the tone it plays.
    std::shared_ptr<CourtesyRun> m_preview;
    Shown m_previewed;
    bool m_again = false; // pressed once the sound had ended: the next starts as this run ends
    QPointer<QWidget> m_watchedWindow; // blocked by a modal window, it stops the preview
};
