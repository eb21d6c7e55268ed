#include "trainers/common/drop_field.h"

#include "trainers/common/digit_key.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QStyle>

DropField::DropField(QWidget *parent)
    : QLabel(parent)
{
    setAcceptDrops(true);
    setAlignment(Qt::AlignCenter);
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
    const QString field = objectName();
    const QString text = digit ? QString(*digit) : QString();
    // Message boxes must not open while the drag is still in progress.
    QMetaObject::invokeMethod(
        this, [this, field, text] { Q_EMIT dropped(field, text); }, Qt::QueuedConnection);
}

void DropField::setHighlighted(bool on)
{
    setProperty("dropTarget", on);
    style()->unpolish(this);
    style()->polish(this);
}
