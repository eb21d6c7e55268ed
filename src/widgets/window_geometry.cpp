#include "widgets/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

QScreen *screenOf(QWidget *window)
{
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

constexpr qreal trainerHeight = 392;
constexpr qreal trainerShare = 0.6;

} // namespace

void centreOnScreen(QWidget *window, int topDivisor)
{
    QScreen *screen = screenOf(window);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // A size the user gave the window is kept only as far as the screen holds it, title
    // bar and borders included; a window that still cannot shrink enough keeps its title
    // bar on the screen.
    const QSize room = area.size() - (window->frameGeometry().size() - window->size());
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room));
    const QSize size = window->frameGeometry().size();
    const double left = area.left() + std::max(0.0, (area.width() - size.width()) / 2.0);
    const double top = area.top() + std::max(0.0, (area.height() - size.height()) / double(topDivisor));
    window->move(int(left), int(top));
}

QSize openingSize(QSize design, const QRect &available, QSize frame)
{
    if (design.isEmpty() || available.isEmpty())
        return design;
    const qreal share = trainerShare * available.height() / trainerHeight;
    const qreal fits = qMin(qreal(available.width() - frame.width()) / design.width(),
                            qreal(available.height() - frame.height()) / design.height());
    const qreal scale = qMax(1.0, qMin(share, fits));
    return (QSizeF(design) * scale).toSize();
}

void openAtScreenSize(QWidget *window, QSize design)
{
    QScreen *screen = screenOf(window);
    if (!screen)
        return;
    const QSize frame = window->frameGeometry().size() - window->size();
    window->resize(frame.isEmpty() ? openingSize(design, screen->availableGeometry())
                                   : openingSize(design, screen->availableGeometry(), frame));
}
