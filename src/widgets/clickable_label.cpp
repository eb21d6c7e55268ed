#include "widgets/clickable_label.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

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

// Screen readers announce a tile as a picture with the tile's name, as they do a label that
// shows a picture; a tile paints itself and shows none.
QAccessibleInterface *tileAsPicture(const QString &className, QObject *object)
{
    if (className == QLatin1String("TileLabel") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

TileLabel::TileLabel(const QString &text, const QColor &colour, QWidget *parent)
    : ClickableLabel(parent)
    , m_text(text)
    , m_colour(colour)
{
    static const bool announced = (QAccessible::installFactory(tileAsPicture), true);
    Q_UNUSED(announced);
    setAlignment(Qt::AlignCenter);
}

void TileLabel::paintEvent(QPaintEvent *)
{
    // The largest square that fits, centred, where a label would show its picture.
    const int size = qMin(width(), height());
    if (size <= 0)
        return;
    const QRect square = QStyle::alignedRect(layoutDirection(), Qt::AlignCenter,
                                             QSize(size, size), contentsRect());
    QPainter painter(this);
    painter.translate(square.topLeft());
    // The frame's outer half stops at the square, whatever room the label has around it.
    painter.setClipRect(QRect(0, 0, size, size));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_colour.darker(140), qMax(2.0, size / 32.0)));
    painter.setBrush(m_colour);
    painter.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 6.0, size / 6.0);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, m_text);
}
