#include "ui/frames/screenplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qm {

std::vector<ScreenRect> AvailableScreenRects() {
    std::vector<ScreenRect> rects;
    for (QScreen* s : QGuiApplication::screens()) {
        const QRect g = s->availableGeometry();
        rects.push_back({g.x(), g.y(), g.width(), g.height()});
    }
    return rects;
}

void KeepWindowOnScreen(QWidget& window) {
    const QRect frame = window.frameGeometry();
    const ScreenRect r = ClampToScreens({frame.x(), frame.y(), frame.width(), frame.height()}, AvailableScreenRects());
    // The inside is never shrunk here: it was clamped before the window system added its frame,
    // and a window as large as the screen keeps its size, its frame reaching past the edge.
    if (r.width < frame.width() || r.height < frame.height()) {
        const ScreenRect inside = ClampToScreens({frame.x(), frame.y(), window.width(), window.height()},
                                                 AvailableScreenRects());
        window.move(inside.x, inside.y);
        return;
    }
    window.move(r.x, r.y);
}

}  // namespace qm
