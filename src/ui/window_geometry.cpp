#include "ui/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget *window, int topDivisor)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    const double left = area.left() + (area.width() - size.width()) / 2.0;
    const double top = area.top() + (area.height() - size.height()) / double(topDivisor);
    window->move(int(left), int(top));
}
