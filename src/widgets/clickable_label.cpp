#include "widgets/clickable_label.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

ClickableLabel::ClickableLabel(QWidget *parent)
    : QLabel(parent)
{
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

namespace {

QPixmap tilePixmap(const QString &text, const QColor &colour, const QFont &font, int size)
{
    // Drawn for the sharpest screen attached; no larger, the menu draws five of these
    // before it first appears.
    const qreal ratio = qMax(qreal(1), qApp->devicePixelRatio());
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(140), qMax(2.0, size / 32.0)));
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 6.0, size / 6.0);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, text);
    return pixmap;
}

} // namespace

TileLabel::TileLabel(const QString &text, const QColor &colour, QWidget *parent)
    : ClickableLabel(parent)
    , m_text(text)
    , m_colour(colour)
{
    setAlignment(Qt::AlignCenter);
}

void TileLabel::fitToSize()
{
    const int size = qMin(width(), height());
    if (size > 0 && pixmap().deviceIndependentSize().toSize() != QSize(size, size))
        setPixmap(tilePixmap(m_text, m_colour, font(), size));
}
