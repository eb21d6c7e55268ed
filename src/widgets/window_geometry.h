#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Left = (screen width - window width) / 2, Top = (screen height - window height) / divisor.
// The menu, the trainers and the games centre (divisor 2); the info window sits higher (4).
// A window larger than the screen's free area is made smaller first, and never placed
// above or left of it.
void centreOnScreen(QWidget *window, int topDivisor = 2);

// The trainers and games were drawn for 1024 x 768 screens, where a trainer (392 pixels
// high) took about 60 % of the height left by the taskbar. A window drawn at `design`
// opens scaled by the factor that gives a trainer that share of `available`, keeping its
// proportions, never smaller than drawn and, with `frame` (the title bar and borders) added,
// never larger than `available`.
QSize openingSize(QSize design, const QRect &available, QSize frame = QSize(16, 40));

// Resizes `window` to its opening size on the screen it is about to appear on.
void openAtScreenSize(QWidget *window, QSize design);
