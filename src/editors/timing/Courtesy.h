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
    // plays, it stops that one instead.
    void Preview_Click();
    // Silences a preview at once; nothing when none plays.
    void stopPreview();
    // From the press until the run has ended, stopped or not.
    bool previewing() const { return m_preview != nullptr; }

    // The port whose page is shown.
    int currentPort() const;
    // The working values of a port's tone, as the preview plays them.
    CourtesyTone workingTone(int port, int tone) const;

protected:
    void afterCancel() override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* portPage(int port);
    const QString& working(int port, CourtesyField field, int n, int tone) const;
    // No more Esc or watching of the window for the preview.
    void endPreview();

    QTabWidget* m_pages = nullptr;
    std::array<int, Count::Ports> m_toneSelect{}; // the selector CTSet(p) of each port
    QShortcut* m_escape = nullptr;
    // While a preview runs: its stop request, shared with the run, which may
    // outlive this window.
    std::shared_ptr<bool> m_preview;
    QPointer<QWidget> m_watchedWindow; // blocked by a modal window, it stops the preview
};
