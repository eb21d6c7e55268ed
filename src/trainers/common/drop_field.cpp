#include "trainers/common/drop_field.h"

#include "trainers/common/cell_look.h"
#include "trainers/common/digit_key.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QMimeData>

DropField::DropField(QWidget *parent)
    : QLabel(parent)
{
    setAcceptDrops(true);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
    QPalette inked = palette();
    inked.setColor(QPalette::WindowText, CellLook::ink);
    setPalette(inked);
}

void DropField::dragEnterEvent(QDragEnterEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setHighlighted(true);
}

void DropField::dragMoveEvent(QDragMoveEvent *event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void DropField::dragLeaveEvent(QDragLeaveEvent *event)
{
    setHighlighted(false);
    QLabel::dragLeaveEvent(event);
}

void DropField::dropEvent(QDropEvent *event)
{
    setHighlighted(false);
    const std::optional<QChar> digit = digitFromMime(event->mimeData());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    const std::optional<int> value = digit ? std::optional<int>(digit->digitValue()) : std::nullopt;
    // Message boxes must not open while the drag is still in progress.
    QMetaObject::invokeMethod(
        this, [this, value] { Q_EMIT dropped(value); }, Qt::QueuedConnection);
}

void DropField::setHighlighted(bool on)
{
    m_target = on;
    update();
}

void DropField::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        setFocus(Qt::MouseFocusReason);
        Q_EMIT clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

void DropField::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) { // the keypad sends the same keys
        Q_EMIT typed(key - Qt::Key_0);
        return;
    }
    switch (key) {
    case Qt::Key_Left: Q_EMIT stepped(-1, 0); return;
    case Qt::Key_Right: Q_EMIT stepped(1, 0); return;
    case Qt::Key_Up: Q_EMIT stepped(0, -1); return;
    case Qt::Key_Down: Q_EMIT stepped(0, 1); return;
    default: QLabel::keyPressEvent(event);
    }
}

void DropField::setMarked(bool marked)
{
    if (m_marked == marked)
        return;
    m_marked = marked;
    update();
}

int DropField::markWidth() const
{
    // 3 pixels on a digit box of the design size, 2 on a carry box.
    return qMax(2, qRound(height() / 14.0));
}

void DropField::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    Q_EMIT focused();
}

void DropField::paintEvent(QPaintEvent *)
{
    // A white box in a blue-grey frame; a digit the problem gives stands without a box; a
    // key dragged over it, or a hint, colour it.
    const bool given = property("given").toBool();
    const QColor fill = CellLook::isHighlighted(this) ? CellLook::hintFill
                        : m_target                    ? CellLook::targetFill
                        : given                       ? QColor(Qt::transparent)
                                                      : QColor(Qt::white);
    const QColor frame = m_target ? CellLook::target
                         : given  ? QColor(Qt::transparent)
                                  : CellLook::box;
    {
        QPainter painter(this);
        CellLook::paintBox(painter, rect(), fill, frame, boxFrameWidth, 4);
    }
    if (m_marked) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal width = markWidth();
        painter.setPen(QPen(QColor(230, 130, 0), width));
        painter.setBrush(Qt::NoBrush);
        const qreal radius = width + 2;
        painter.drawRoundedRect(QRectF(rect()).adjusted(width / 2, width / 2, -width / 2, -width / 2),
                                radius, radius);
    }
    if (text().isEmpty())
        return;
    // Centre the digit itself, not the font's line box: a typeface for beginning readers
    // has tall ascenders and descenders that would push a digit to the bottom of its box.
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QRect ink = QFontMetrics(font()).tightBoundingRect(text());
    painter.drawText(rect().center() - ink.center(), text());
}
