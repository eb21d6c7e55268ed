#include "shell/window_registry.h"

#include "platform/freed_memory.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QWidget>

namespace {

// A hidden window gives back the picture of itself it kept for repainting: every window
// is built once and kept for the whole run, and each picture costs about a megabyte. The
// next show paints the window anew at its size.
// The size is 0 x 0, not QSize(): the X11 backing store reads the invalid -1 x -1 as
// 65535 x 65535 and asks the X server for 16 GB of shared memory; a picture of no pixels
// asks for nothing and frees the segment it had.
void hideWindow(QWidget *window)
{
    window->hide();
    if (QBackingStore *store = window->backingStore())
        store->resize(QSize(0, 0));
    returnFreedMemory();
}

} // namespace

WindowRegistry::WindowRegistry()
    : m_quit([] { QCoreApplication::exit(0); })
{
}

WindowRegistry::~WindowRegistry()
{
    for (QWidget *w : std::as_const(m_windows))
        delete w;
}

void WindowRegistry::registerWindow(WindowId id, Factory factory)
{
    m_factories.insert(int(id), std::move(factory));
}

void WindowRegistry::setQuitHandler(std::function<void()> handler)
{
    m_quit = std::move(handler);
}

QWidget *WindowRegistry::window(WindowId id)
{
    if (QWidget *w = m_windows.value(int(id)))
        return w;
    const auto factory = m_factories.constFind(int(id));
    if (factory == m_factories.constEnd())
        return nullptr;
    QWidget *w = (*factory)();
    m_windows.insert(int(id), w);
    return w;
}

void WindowRegistry::switchTo(WindowId to)
{
    QWidget *next = window(to);
    if (!next)
        return;
    if (QWidget *shown = m_windows.value(int(m_current)); shown && shown != next)
        hideWindow(shown);
    m_current = to;
    next->show();
    next->raise();
    next->activateWindow();
}

void WindowRegistry::openReward(WindowId game, WindowId trainer)
{
    if (!window(game))
        return;
    m_rewardOwner = trainer;
    switchTo(game);
}

void WindowRegistry::endReward()
{
    switchTo(m_rewardOwner);
}

void WindowRegistry::showInfo()
{
    if (QWidget *info = window(WindowId::Info)) {
        info->show();
        info->raise();
        info->activateWindow();
    }
}

void WindowRegistry::unload(WindowId id)
{
    if (QWidget *w = m_windows.take(int(id))) {
        w->hide();
        w->deleteLater();
    }
}

void WindowRegistry::quit()
{
    for (QWidget *w : std::as_const(m_windows))
        w->hide();
    m_quit();
}
