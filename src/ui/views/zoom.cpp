#include "ui/views/zoom.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"
#include "ui/views/largeviewsetup.h"

namespace qm {

QFont ZoomedEditorFont(const CMainFrame& main) {
    QFont f = main.m_editorFont;
    if (main.m_zoom == 0 || f.pixelSize() <= 0) return f;
    // The setting's pixels per point, so a zoomed size matches what that size in Options shows.
    const double perPoint = static_cast<double>(f.pixelSize()) / std::max(1, main.m_fontSize);
    f.setPixelSize(std::max(1, static_cast<int>(perPoint * (main.m_fontSize + main.m_zoom))));
    return f;
}

void ZoomViews(CMainFrame& main, int steps) {
    const int size = std::clamp(main.m_fontSize + main.m_zoom + steps, kSmallestZoomedSize, kLargestZoomedSize);
    const int zoom = steps == 0 ? 0 : size - main.m_fontSize;
    if (zoom == main.m_zoom) return;
    main.m_zoom = zoom;
    ApplyFontToViews(main);
}

void ResetZoom(CMainFrame& main) { ZoomViews(main, 0); }

void ApplyFontToViews(CMainFrame& main) {
    for (QMdiSubWindow* window : main.MdiArea()->subWindowList()) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame && frame->GetLargeView()) ApplyEditorFont(*frame->GetLargeView());
        CEditView* view = frame ? frame->GetView() : nullptr;
        if (!view) continue;
        view->ApplyEditorFont();
        view->RecolourAll();
    }
}

}  // namespace qm
