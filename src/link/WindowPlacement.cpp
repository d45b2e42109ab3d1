#include "link/WindowPlacement.h"

#include <QWidget>
#include <cmath>

namespace {

// Values far outside any screen are a damaged file, not a place.
constexpr double MaxTwips = 1e7;

int size(const std::optional<double>& twips, int otherwise)
{
    return twips && *twips > 0 && *twips < MaxTwips ? static_cast<int>(std::lround(*twips / TwipsPerPixel))
                                                    : otherwise;
}

int position(const std::optional<double>& twips, int otherwise)
{
    return twips && std::abs(*twips) < MaxTwips ? static_cast<int>(std::lround(*twips / TwipsPerPixel)) : otherwise;
}

} // namespace

void PlaceWindow(QWidget& window, const WindowGeometry& g)
{
    window.resize(size(g.width, window.width()), size(g.height, window.height()));
    // Moving a window that was never placed would keep it from being centred
    // on its owner.
    if (g.left || g.top)
        window.move(position(g.left, window.x()), position(g.top, window.y()));
    if (g.state) {
        Qt::WindowStates states = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
        if (*g.state == 1)
            states |= Qt::WindowMinimized;
        else if (*g.state == 2)
            states |= Qt::WindowMaximized;
        window.setWindowState(states);
    }
}

WindowGeometry PlacementOf(const QWidget& window)
{
    // A minimised or maximised window keeps its normal place for next time.
    const QRect normal = window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)
                             ? window.normalGeometry()
                             : QRect(window.pos(), window.size());
    WindowGeometry g;
    g.width = double(normal.width()) * TwipsPerPixel;
    g.height = double(normal.height()) * TwipsPerPixel;
    g.top = double(normal.y()) * TwipsPerPixel;
    g.left = double(normal.x()) * TwipsPerPixel;
    g.state = window.isMinimized() ? 1 : window.isMaximized() ? 2 : 0;
    return g;
}
