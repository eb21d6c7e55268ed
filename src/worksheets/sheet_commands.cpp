#include "worksheets/sheet_commands.h"

#include "ui/clipboard.h"
#include "ui/dialogs.h"
#include "ui/navigator.h"
#include "ui/printer.h"
#include "ui/services.h"

#include <QCheckBox>
#include <QWidget>

namespace {

QString sheetName(SheetPass pass)
{
    return pass == SheetPass::Problems ? QStringLiteral("Das Rechenblatt")
                                       : QStringLiteral("Das Lösungsblatt");
}

bool unlockedByPassword(Dialogs &dialogs, const QString &points)
{
    const std::optional<QString> entry =
        dialogs.input(QStringLiteral("Kennwort eingeben:"), QStringLiteral("Druckersperre aufheben"),
                      QStringLiteral("Passwort"));
    return entry && *entry == points;
}

} // namespace

bool printingLocked(Navigator &navigator)
{
    QWidget *info = navigator.window(WindowId::Info);
    const auto *box = info ? info->findChild<QCheckBox *>(QStringLiteral("Kontroll1")) : nullptr;
    return !box || box->isChecked();
}

void printWorksheet(Services &services, SheetKind kind, const QStringList &sheet, SheetPass pass,
                    const QString &points)
{
    printLocked(services, sheetTitle(kind), sheetName(pass), printDocument(kind, sheet, pass), points);
}

void printLocked(Services &services, const QString &title, const QString &name,
                 const PrintDocument &document, const QString &points)
{
    if (printingLocked(services.navigator) && !unlockedByPassword(services.dialogs, points))
        return;
    if (services.dialogs.question(title, name + QStringLiteral(" jetzt ausdrucken?\r\r"),
                                  MessageIcon::Question, Answer::No)
        != Answer::Yes)
        return;

    const PrintResult result = services.printer.print(document);
    if (result.printed)
        services.dialogs.message(QStringLiteral("Drucken"),
                                 name + QStringLiteral(" wird gedruckt ...\r\r"));
    else
        services.dialogs.message(QStringLiteral("Drucken"),
                                 result.failure + QStringLiteral("\r") + name
                                     + QStringLiteral(" wurde nicht gedruckt.\r\r"),
                                 MessageIcon::Warning);
}

void copyWorksheet(Services &services, SheetKind kind, const QStringList &sheet)
{
    if (services.clipboard.setText(clipboardText(kind, sheet)))
        services.dialogs.message(
            QStringLiteral("Zwischenablage"),
            QStringLiteral("Die Rechenaufgaben und die Lösungen wurden in die Ablage kopiert.\r"
                           "(Beim Einfügen muss die Schriftart 'COURIER NEW' gesetzt werden!)\r\r"));
    else
        services.dialogs.message(QStringLiteral("Zwischenablage"),
                                 QStringLiteral("Die Zwischenablage hat den Text nicht angenommen.\r"
                                                "Es wurde nichts kopiert.\r\r"),
                                 MessageIcon::Warning);
}
