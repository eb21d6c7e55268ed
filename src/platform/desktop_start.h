#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Guards the start of the toolkit: while it lives (around the construction of the
// QApplication), the toolkit's messages are held back; when the toolkit gives up because
// it finds no display to show windows on, the user reads in German on standard error that
// the program needs a graphical desktop, and the program ends with status 1 instead of
// aborting. Messages held back are passed on when the start succeeds.
class DesktopStart
{
public:
    DesktopStart();
    ~DesktopStart();
    DesktopStart(const DesktopStart &) = delete;
    DesktopStart &operator=(const DesktopStart &) = delete;

    // What the user is told, given the display variables as they were at the start.
    static QString whyNoDesktop(const QByteArray &display, const QByteArray &waylandDisplay,
                                const QByteArray &platform);

private:
    QtMessageHandler m_previous;
};
