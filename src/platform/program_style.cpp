#include "platform/program_style.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleOption>

ProgramStyle::ProgramStyle(const QString &baseStyle)
    : QProxyStyle(baseStyle)
{
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                 const QWidget *widget) const
{
    // An option may ask for a variant (a direction, a state); those are not kept.
    if (option)
        return QProxyStyle::standardIcon(icon, option, widget);
    auto kept = m_icons.constFind(int(icon));
    if (kept == m_icons.constEnd())
        kept = m_icons.insert(int(icon), QProxyStyle::standardIcon(icon, option, widget));
    return *kept;
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                      QPainter *painter, const QWidget *widget) const
{
    // Rows per strip: below the height from which Qt hands a fill to its threads.
    constexpr int strip = 64;
    if (control != CC_ScrollBar || option->rect.height() <= strip) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect whole = option->rect;
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    QImage picture(QSize(whole.width(), strip) * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    for (int top = whole.top(); top <= whole.bottom(); top += strip) {
        picture.fill(Qt::transparent);
        {
            QPainter stripPainter(&picture);
            stripPainter.translate(-whole.left(), -top);
            QProxyStyle::drawComplexControl(control, option, &stripPainter, widget);
        }
        const int rows = qMin(strip, whole.bottom() - top + 1);
        painter->drawImage(QPointF(whole.left(), top), picture,
                           QRectF(0, 0, whole.width() * ratio, rows * ratio));
    }
}

void useProgramStyle()
{
    if (!qobject_cast<ProgramStyle *>(QApplication::style()))
        QApplication::setStyle(new ProgramStyle(QApplication::style()->name()));
}
