#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <functional>

// Runs `action` when `window` is painted for the first time: queued, after the paint has
// ended and reached the screen; direct, as the paint begins. Header only, so that the bare
// Qt program of the benchmarks uses the same hook without the program's libraries.
class AfterFirstPaint final : public QObject
{
public:
    AfterFirstPaint(QWidget *window, std::function<void()> action, Qt::ConnectionType type)
        : QObject(window)
        , m_action(std::move(action))
        , m_type(type)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this, [this] { m_action(); deleteLater(); }, m_type);
        }
        return false;
    }

private:
    std::function<void()> m_action;
    Qt::ConnectionType m_type;
};

inline void afterFirstPaint(QWidget *window, std::function<void()> action,
                            Qt::ConnectionType type = Qt::QueuedConnection)
{
    new AfterFirstPaint(window, std::move(action), type);
}

// Start-up timing (bench/run.sh): with MALRECHNEN_EXIT_AFTER_FIRST_PAINT set in the
// environment the program ends as soon as `window` is on screen, so the run time of the
// whole process is the time until the window was painted. Asked as the paint begins,
// the event loop still finishes the paint and flushes it, but runs nothing queued after.
inline void exitAfterFirstPaintIfAsked(QWidget *window)
{
    if (qEnvironmentVariableIsSet("MALRECHNEN_EXIT_AFTER_FIRST_PAINT"))
        afterFirstPaint(window, [] { QCoreApplication::exit(0); }, Qt::DirectConnection);
}
