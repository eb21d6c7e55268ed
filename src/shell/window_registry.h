#pragma once

#include "seams/navigator.h"

#include <QHash>
#include <QPointer>
#include <functional>
#include <memory>

class QWidget;

// Owns the program's windows. A window is built by its factory on first use and kept
// (hidden, never deleted) for the rest of the run.
class WindowRegistry final : public Navigator
{
public:
    using Factory = std::function<QWidget *()>;

    WindowRegistry();
    ~WindowRegistry() override;

    void registerWindow(WindowId id, Factory factory);
    void setQuitHandler(std::function<void()> handler);

    void switchTo(WindowId to) override;
    void openReward(WindowId game, WindowId trainer) override;
    void endReward() override;
    void showInfo() override;
    QWidget *window(WindowId id) override;
    // The window if it has been built, else nullptr (nothing is built).
    QWidget *built(WindowId id) const { return m_windows.value(int(id)); }
    void quit() override;

    // Drops a window so that the next use builds it anew (a window closed by its frame
    // that must come back in its start state).
    void unload(WindowId id);

    // The menu, trainer or game on screen, as the program last switched.
    WindowId current() const { return m_current; }
    // The trainer that offered the running reward game.
    WindowId rewardOwner() const { return m_rewardOwner; }

private:
    QHash<int, Factory> m_factories;
    QHash<int, QWidget *> m_windows;
    std::function<void()> m_quit;
    WindowId m_current = WindowId::Menu;
    WindowId m_rewardOwner = WindowId::OneRow;
};
