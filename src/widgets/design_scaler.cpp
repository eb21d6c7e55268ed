#include "widgets/design_scaler.h"

#include "platform/qt_dialogs.h"
#include "widgets/window_geometry.h"

#include <QWidget>

DesignScaler::DesignScaler(QWidget *window, QSize designSize)
    : m_window(window)
    , m_designSize(designSize)
{
}

void DesignScaler::record(QWidget *widget)
{
    const QFont font = widget->font();
    const bool inPixels = font.pixelSize() > 0;
    m_design.insert(widget, {widget->geometry(),
                             inPixels ? qreal(font.pixelSize()) : font.pointSizeF(), inPixels});
}

void DesignScaler::setDesignGeometry(QWidget *widget, const QRect &rect)
{
    if (!m_design.contains(widget))
        record(widget);
    m_design[widget].rect = rect;
    apply(widget);
}

void DesignScaler::setDesignFontSize(QWidget *widget, int pixels)
{
    if (!m_design.contains(widget))
        record(widget);
    m_design[widget].fontSize = pixels;
    m_design[widget].inPixels = true;
}

void DesignScaler::apply(QWidget *widget)
{
    const Design &design = m_design.value(widget);
    const QPoint offset = widget->parentWidget() == m_window ? m_offset : QPoint();
    const QRectF scaled(QPointF(design.rect.topLeft()) * m_scale + offset,
                        QSizeF(design.rect.size()) * m_scale);
    widget->setGeometry(scaled.toRect());
    QFont font = widget->font();
    if (design.inPixels)
        font.setPixelSize(qMax(1, qRound(design.fontSize * m_scale)));
    else if (design.fontSize > 0)
        font.setPointSizeF(design.fontSize * m_scale);
    widget->setFont(font);
}

void DesignScaler::apply()
{
    // A window scaled before it was first shown is told its size again as it shows: then
    // only controls not seen before are scaled.
    const bool resized = m_window->size() != m_appliedSize;
    m_appliedSize = m_window->size();
    const qreal width = m_window->width();
    const qreal height = m_window->height();
    m_scale = qMin(width / m_designSize.width(), height / m_designSize.height());
    m_offset = QPoint(qRound((width - m_designSize.width() * m_scale) / 2),
                      qRound((height - m_designSize.height() * m_scale) / 2));
    QtDialogs::setWindowScale(m_window, m_scale);
    // Children come before their own children, so a panel is recorded before its contents.
    const QList<QWidget *> widgets = m_window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (widget->isWindow())
            continue;
        const bool seen = m_design.contains(widget);
        if (!seen)
            record(widget);
        if (resized || !seen)
            apply(widget);
    }
}

void DesignScaler::sizeForScreenOnce()
{
    if (m_sizedForScreen)
        return;
    m_sizedForScreen = true;
    openAtScreenSize(m_window, m_designSize);
}
