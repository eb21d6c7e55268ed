#include "shell/help_text.h"

#include <QStringList>

const char *const quitQuestionText = "Dieses Programm jetzt beenden?\r\r\r";
const char *const menuCaption = "Schriftliche Multiplikation";

QString menuHelpText()
{
    static const QStringList paragraphs = {
        QStringLiteral("Mit diesem Programm kann die schriftliche einreihige Multiplikation trainiert werden. Das Ausdrucken von Übungsblättern ist ebenfalls möglich."),
        QStringLiteral("Das Programm besteht aus zwei Teilen: einreihige und zweireihige Multiplikation."),
        QStringLiteral("In jedem Modul kann die jeweilige Rechenart in zwei Formen geübt werden: Einzelaufgaben und Lückenaufgaben."),
        QStringLiteral("Bei der zweireihigen Multiplikation kann die Darstellungsform zwischen der Treppenanzeige bzw. der rechtsbündigen Schreibweise mit Nullen umgestellt und ausgedruckt werden."),
        QStringLiteral("Innerhalb der Übungsreihen gibt es zur Entspannung kleine Belohnungsspiele."),
        QStringLiteral("Die Bedienung erfolgt mit der Maus über Drag&Drop der angezeigten Zifferntasten."),
        QStringLiteral("Fehler werden sofort angezeigt und können unmittelbar verbessert werden."),
        QStringLiteral("Der Drucker wird im Infofenster aktiviert bzw. deaktiviert. Wurde das vor dem Druckbefehl vergessen, so kann man mit einem Kennwort die Sperre aufheben."),
        QStringLiteral("Das Passwort zum Aufheben der Druckersperre entspricht der in diesem Moment angezeigten Anzahl der richtigen Punkte."),
    };
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}
