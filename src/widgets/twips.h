#pragma once

#include <QPoint>
#include <QRect>

// Positions of the windows are kept in twips (1/1440 inch). At 96 dpi fifteen twips
// make one device-independent pixel; Qt's high-dpi scaling takes it from there.
constexpr int twipsPerPixel = 15;

constexpr int twipsToPx(int twips) { return twips / twipsPerPixel; }
constexpr int pxToTwips(int px) { return px * twipsPerPixel; }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
}
