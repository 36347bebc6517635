#include "ui/widgets/cuiToolBarStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

cuiToolBarStyle::cuiToolBarStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void cuiToolBarStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    if (element != CE_ToolBar || !option || !painter) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect area = option->rect;
    for (int top = area.top(); top <= area.bottom(); top += kTile) {
        for (int left = area.left(); left <= area.right(); left += kTile) {
            painter->save();
            painter->setClipRect(QRect(left, top, kTile, kTile), Qt::IntersectClip);
            QProxyStyle::drawControl(element, option, painter, widget);
            painter->restore();
        }
    }
}
