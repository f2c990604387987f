#include "ui/menus/menustyle.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include "ui/menus/iconmenu.h"

namespace qm {

namespace {
constexpr int kSubmenuArrowWidth = 12;

void DrawSubmenuArrow(QPainter* p, const QRect& rc, const QColor& colour) {
    // A small solid triangle pointing right, centred in the last 12 pixels.
    const int cx = rc.right() - kSubmenuArrowWidth / 2 - 1, cy = rc.center().y();
    p->save();
    p->setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) p->fillRect(QRect(cx - 2 + i, cy - 3 + i, 1, 7 - 2 * i), colour);
    p->restore();
}
}  // namespace

CMenuStyle::CMenuStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

CMenuStyle* CMenuStyle::Instance() {
    static QPointer<CMenuStyle> style;
    if (!style) {
        style = new CMenuStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

void CMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (const auto* menu = qobject_cast<const CIconMenu*>(widget); menu && item) {
        if (element == CE_MenuItem) {
            // Qt lays every item out as wide as the widest plus room for key sequences; the menu
            // is only as wide as its items (CIconMenu::sizeHint).
            QRect rc = item->rect;
            const int frame = pixelMetric(PM_MenuPanelWidth, nullptr, widget);
            rc.setRight(std::min(rc.right(), widget->width() - frame - 1));
            CIconMenu::ItemState state;
            const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
            state.commandId = separator ? 0 : menu->CommandOf(menu->StyledAction());
            if (!separator && state.commandId == 0) state.commandId = -1;
            state.caption = item->text;
            state.selected = item->state & State_Selected;
            state.disabled = !(item->state & State_Enabled);
            state.checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
            state.underlineMnemonic = proxy()->styleHint(SH_UnderlineShortcut, option, widget);
            menu->DrawItem(*painter, rc, state);
            if (item->menuItemType == QStyleOptionMenuItem::SubMenu)
                DrawSubmenuArrow(painter, rc, state.disabled ? menu->m_greyTextColour : menu->m_textColour);
            return;
        }
        if (element == CE_MenuEmptyArea) {
            painter->fillRect(item->rect, menu->m_menuColour);
            const int frame = pixelMetric(PM_MenuPanelWidth, nullptr, widget);
            painter->fillRect(QRect(frame, 0, menu->m_iconColumnWidth, widget->height()), menu->m_iconColumnColour);
            return;
        }
    }
    if (const auto* bar = qobject_cast<const CTopMenu*>(widget)) {
        if (element == CE_MenuBarItem && item) {
            CTopMenu::ItemState state;
            state.picture = item->text.isEmpty() && !item->icon.isNull();
            state.caption = item->text;
            const bool selected = item->state & State_Selected;
            state.open = selected && (item->state & State_Sunken);
            state.hot = selected && !state.open;
            state.disabled = !(item->state & State_Enabled);
            state.underlineMnemonic = proxy()->styleHint(SH_UnderlineShortcut, option, widget);
            bar->DrawItem(*painter, item->rect, state);
            return;
        }
        if (element == CE_MenuBarEmptyArea) {
            painter->fillRect(option->rect, bar->m_barColour);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void CMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    if (const auto* menu = qobject_cast<const CIconMenu*>(widget)) {
        if (element == PE_PanelMenu) {
            painter->fillRect(option->rect, menu->m_menuColour);
            const int frame = pixelMetric(PM_MenuPanelWidth, nullptr, widget);
            painter->fillRect(QRect(option->rect.left() + frame, option->rect.top(), menu->m_iconColumnWidth,
                                    option->rect.height()),
                              menu->m_iconColumnColour);
            return;
        }
        if (element == PE_FrameMenu) {
            painter->save();
            painter->setPen(menu->m_greyTextColour);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            painter->restore();
            return;
        }
    }
    if (const auto* bar = qobject_cast<const CTopMenu*>(widget); bar && element == PE_PanelMenuBar) {
        painter->fillRect(option->rect, bar->m_barColour);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QSize CMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                   const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type == CT_MenuItem && item) {
        if (const auto* menu = qobject_cast<const CIconMenu*>(widget)) {
            const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
            // A pop-up item captioned like a bar item is measured as one.
            QString plain = item->text;
            plain.remove(QLatin1Char('&'));
            if (!separator && IsBarCaption(plain.toStdString())) {
                CTopMenu measurer;
                return {measurer.MeasureItem(false, item->text, kIconItemHeight).width(), kIconItemHeight};
            }
            QSize s = menu->MeasureItem(separator ? 0 : 1, item->text);
            if (item->menuItemType == QStyleOptionMenuItem::SubMenu) s.rwidth() += kSubmenuArrowWidth;
            return s;
        }
    }
    if (type == CT_MenuBarItem && item) {
        if (const auto* bar = qobject_cast<const CTopMenu*>(widget)) {
            const bool picture = item->text.isEmpty() && !item->icon.isNull();
            const QSize proposed = QProxyStyle::sizeFromContents(type, option, size, widget);
            return bar->MeasureItem(picture, item->text, proposed.height());
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

int CMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (qobject_cast<const CIconMenu*>(widget)) {
        switch (metric) {
            case PM_MenuPanelWidth: return 1;
            case PM_MenuHMargin: return 0;
            case PM_MenuVMargin: return 1;
            case PM_SubMenuOverlap: return 0;
            default: break;
        }
    }
    if (qobject_cast<const CTopMenu*>(widget)) {
        switch (metric) {
            case PM_MenuBarItemSpacing: return 0;
            case PM_MenuBarHMargin: return 0;
            case PM_MenuBarVMargin: return 0;
            case PM_MenuBarPanelWidth: return 0;
            default: break;
        }
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

}  // namespace qm
