#include "platform/desktop_start.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

namespace {

struct Held
{
    QtMsgType type;
    const char *category; // a logging category's name lives as long as the program
    QString text;
};

QList<Held> held;

void holdBack(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        held.append(Held{type, context.category, text});
        return;
    }
    const QString why = DesktopStart::whyNoDesktop(qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"),
                                                   qgetenv("QT_QPA_PLATFORM"));
    QString details;
    for (const Held &message : std::as_const(held))
        details += QStringLiteral("  ") + QString::fromLatin1(message.category ? message.category : "")
                   + QStringLiteral(": ") + message.text + QLatin1Char('\n');
    details += QStringLiteral("  ") + text.section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n');
    std::fprintf(stderr, "%s\n\nEinzelheiten für die Systembetreuung:\n%s", qPrintable(why),
                 qPrintable(details));
    std::fflush(stderr);
    // The toolkit is half started: nothing of it may run any more.
    std::_Exit(EXIT_FAILURE);
}

} // namespace

DesktopStart::DesktopStart()
    : m_previous(qInstallMessageHandler(holdBack))
{
}

DesktopStart::~DesktopStart()
{
    qInstallMessageHandler(m_previous);
    for (const Held &message : std::as_const(held))
        qt_message_output(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category),
                          message.text);
    held.clear();
}

QString DesktopStart::whyNoDesktop(const QByteArray &display, const QByteArray &waylandDisplay,
                                   const QByteArray &platform)
{
    const QString needs = QStringLiteral("Malrechnen braucht eine grafische Oberfläche (einen Desktop) "
                                         "und kann deshalb nicht starten.\n");
    const QString hint = QStringLiteral("Bitte Malrechnen auf einem Desktop starten, zum Beispiel über "
                                        "das Startmenü, nicht ohne Anzeige oder über eine "
                                        "Fernverbindung ohne Grafik.");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return needs + QStringLiteral("Die gewählte Bildschirmausgabe „%1“ ließ sich nicht öffnen.\n")
                           .arg(QString::fromLocal8Bit(platform))
               + hint;
    if (display.isEmpty() && waylandDisplay.isEmpty())
        return needs + QStringLiteral("Es ist keine Anzeige eingestellt (die Umgebungsvariable "
                                      "DISPLAY ist leer).\n")
               + hint;
    if (!display.isEmpty())
        return needs + QStringLiteral("Die Anzeige „%1“ ist nicht erreichbar.\n")
                           .arg(QString::fromLocal8Bit(display))
               + hint;
    return needs + QStringLiteral("Die Anzeige „%1“ ist nicht erreichbar.\n")
                       .arg(QString::fromLocal8Bit(waylandDisplay))
           + hint;
}
