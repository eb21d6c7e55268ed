#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

// Start-up timing (bench/run.sh): with MALRECHNEN_EXIT_AFTER_FIRST_PAINT set in the
// environment the program ends right after `window` has been painted for the first time,
// so the run time of the whole process is the time until the window is on screen.
// Header only: the bare Qt program the figures are compared with uses the same hook.
class ExitAfterFirstPaint final : public QObject
{
public:
    explicit ExitAfterFirstPaint(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: the paint runs to its end and is flushed to the screen first.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                Qt::QueuedConnection);
        }
        return false;
    }
};

inline void exitAfterFirstPaintIfAsked(QWidget *window)
{
    if (window && qEnvironmentVariableIsSet("MALRECHNEN_EXIT_AFTER_FIRST_PAINT"))
        new ExitAfterFirstPaint(window);
}
