#pragma once
#include <QProxyStyle>

namespace qm {

// The style of the owner-drawn menus: hands measuring and drawing of CIconMenu and CTopMenu items
// to the menus themselves and paints their panels flat; everything else is the base style's.
class CMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    CMenuStyle();
    // The one style of the program's menus; it lives as long as the application, so no menu ever
    // outlives it.
    static CMenuStyle* Instance();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
};

}  // namespace qm
