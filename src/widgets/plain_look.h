#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

// Colours and fonts set through palettes rather than style sheets: a style sheet makes
// every control under it slower to show and keeps rules of its own for each of them.
inline void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

inline QFont sizedFont(const QFont &base, int pixels, bool bold)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
