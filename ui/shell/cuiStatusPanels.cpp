#include "ui/shell/cuiStatusPanels.h"

#include <QFontMetrics>
#include <QPainter>

#include "common/cmcEvent.h"
#include "ui/paint/ColourMapping.h"
#include "ui/widgets/cuiStatusBar.h"

void cuiStatusPanels::TakeStatusText(const cmcEvent& event) {
    textColour_ = static_cast<uint32_t>(event.A);
    backgroundColour_ = static_cast<uint32_t>(event.B);
    statusText_ = event.Text();
}

int cuiStatusPanels::SetPortText(std::string text, const cuiStatusBar& bar) {
    portText_ = std::move(text);
    const QFontMetrics metrics(bar.font());
    return metrics.horizontalAdvance(QString::fromStdString(portText_)) +
           metrics.horizontalAdvance(QStringLiteral("XX"));
}

void cuiStatusPanels::DrawStatus(QPainter& painter, const QRect& rect,
                                 const cuiStatusBar& bar) const {
    painter.fillRect(rect, ToQColor(backgroundColour_));
    painter.setPen(ToQColor(textColour_));
    painter.setFont(bar.font());
    const int spare = rect.height() - painter.fontMetrics().height();
    painter.drawText(QPoint(rect.left(), rect.top() + spare / 2 + painter.fontMetrics().ascent()),
                     QString::fromStdString(statusText_));
}

void cuiStatusPanels::DrawPort(QPainter& painter, const QRect& rect,
                               const cuiStatusBar& bar) const {
    painter.setPen(bar.palette().color(QPalette::WindowText));
    painter.setFont(bar.font());
    const QString text = QString::fromStdString(portText_);
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = rect.left() + (rect.width() - metrics.horizontalAdvance(text)) / 2;
    const int y = rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPoint(x, y), text);
}
