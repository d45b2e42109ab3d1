#pragma once

#include <QTimer>
#include <QWidget>

class ZarnMain;

// The start-up window. Its tick loads the main window while it is still up,
// then shows the main window and goes away.
class Splash final : public QWidget {
    Q_OBJECT
public:
    static constexpr int ShowMs = 2000;

    explicit Splash(ZarnMain& main);

    // Runs the tick at once (for tests).
    void finish();

signals:
    // The user cancelled the open dialog of start-up: nothing was loaded.
    void cancelled();

private:
    ZarnMain& m_main;
    QTimer m_timer;
};
