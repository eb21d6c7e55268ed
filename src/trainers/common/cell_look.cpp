#include "trainers/common/cell_look.h"

#include <QPainter>
#include <QPainterPath>

namespace CellLook {

void paintBox(QPainter &painter, const QRectF &rect, const QColor &fill, const QColor &frame,
              qreal frameWidth, qreal radius)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (fill.alpha() > 0) {
        painter.setBrush(fill);
        painter.drawRoundedRect(rect, radius, radius);
    }
    if (frame.alpha() > 0 && frameWidth > 0) {
        // The frame lies inside `rect`, its outer edge rounded by `radius`.
        QPainterPath outer;
        outer.addRoundedRect(rect, radius, radius);
        QPainterPath inner;
        const qreal innerRadius = qMax(0.0, radius - frameWidth);
        inner.addRoundedRect(rect.adjusted(frameWidth, frameWidth, -frameWidth, -frameWidth),
                             innerRadius, innerRadius);
        painter.setBrush(frame);
        painter.drawPath(outer.subtracted(inner));
    }
    painter.restore();
}

bool isHighlighted(const QWidget *control)
{
    return control->property("hint").toBool();
}

} // namespace CellLook

DigitLabel::DigitLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    QPalette inked = palette();
    inked.setColor(QPalette::WindowText, CellLook::ink);
    setPalette(inked);
    setAlignment(Qt::AlignCenter);
}

void DigitLabel::paintEvent(QPaintEvent *event)
{
    if (CellLook::isHighlighted(this)) {
        QPainter painter(this);
        CellLook::paintBox(painter, rect(), CellLook::hintFill, Qt::transparent, 0, 4);
    }
    QLabel::paintEvent(event);
}
