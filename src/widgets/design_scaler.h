#pragma once

#include <QHash>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Draws a window laid out at a fixed design size at whatever size it has: every control's
// geometry and font are scaled by one factor, and the whole is centred. A control's design
// geometry is what it had when first seen, or what setDesignGeometry() gives it later.
class DesignScaler
{
public:
    DesignScaler(QWidget *window, QSize designSize);

    // Places `widget` at `rect` of the design size (in its parent's coordinates).
    void setDesignGeometry(QWidget *widget, const QRect &rect);
    // The font size in pixels `widget` has at the design size, for a widget that gets its
    // font only when the window is scaled: a text box lays out its text anew for each font.
    void setDesignFontSize(QWidget *widget, int pixels);
    // Scales every control to the window's current size (a size it already has: only the
    // controls not seen before).
    void apply();
    // The factor of the last apply().
    qreal scale() const { return m_scale; }
    // Called as the window is shown: the first time it takes its opening size on the screen
    // it appears on; later it keeps the size it has, whoever gave it.
    void sizeForScreenOnce();
    bool sizedForScreen() const { return m_sizedForScreen; }

private:
    struct Design
    {
        QRect rect;
        qreal fontSize; // pixels, or points where the font was given in points
        bool inPixels;
    };
    void record(QWidget *widget);
    void apply(QWidget *widget);

    QWidget *m_window;
    QSize m_designSize;
    QHash<QWidget *, Design> m_design;
    QSize m_appliedSize; // of the window at the last apply()
    qreal m_scale = 1.0;
    QPoint m_offset;
    bool m_sizedForScreen = false;
};
