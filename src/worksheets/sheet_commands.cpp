#include "worksheets/sheet_commands.h"

#include "seams/clipboard.h"
#include "seams/dialogs.h"
#include "seams/printer.h"
#include "seams/services.h"
#include "training/session_statistics.h"

#include "worksheets/squared_paper.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>

namespace {

QString sheetName(SheetPass pass)
{
    return pass == SheetPass::Problems ? QStringLiteral("Das Rechenblatt")
                                       : QStringLiteral("Das Lösungsblatt");
}

bool unlockedByPassword(Dialogs &dialogs, const QString &points, const QString &wrongText)
{
    const QString title = QStringLiteral("Druckersperre aufheben");
    const std::optional<QString> entry =
        dialogs.input(QStringLiteral("Kennwort eingeben:"), title, QStringLiteral("Passwort"));
    if (entry && *entry != points && !wrongText.isEmpty())
        dialogs.message(title, wrongText, MessageIcon::Warning);
    return entry && *entry == points;
}


const char *const squaredPaperTitle = "Kästchenblatt";

// "der zweireihigen Multiplikation" and so on.
QString ofTheTrainer(SheetKind kind)
{
    switch (kind) {
    case SheetKind::TwoRow: return QStringLiteral("der zweireihigen Multiplikation");
    case SheetKind::ThreeRow: return QStringLiteral("der dreireihigen Multiplikation");
    case SheetKind::OneRow: break;
    }
    return QStringLiteral("der einreihigen Multiplikation");
}

// Why a file could not be saved, in the teacher's words; `opened` tells whether it got as
// far as writing.
QString saveFailure(const QSaveFile &file, bool opened)
{
    const QFileInfo target(file.fileName());
    const QString folder = QDir::toNativeSeparators(target.absolutePath());
    if (!opened) {
        if (target.isDir())
            return QStringLiteral("„%1“ ist ein Ordner.").arg(target.fileName());
        if (target.exists() && !target.isFile())
            return QStringLiteral("„%1“ ist keine gewöhnliche Datei.").arg(target.fileName());
        if (!QFileInfo(target.absolutePath()).isDir())
            return QStringLiteral("Den Ordner „%1“ gibt es nicht.").arg(folder);
        return QStringLiteral("Im Ordner „%1“ darf keine Datei angelegt werden.").arg(folder);
    }
    if (file.error() == QFileDevice::RenameError)
        return QStringLiteral("Die Datei „%1“ ließ sich nicht ersetzen.").arg(target.fileName());
    return QStringLiteral("Beim Schreiben ist ein Fehler aufgetreten. Ist der Datenträger voll?");
}

} // namespace

void printLocked(Services &services, const QString &title, const QString &name,
                 const QString &points, const std::function<PrintResult()> &job,
                 const QString &wrongPasswordText)
{
    // The windows keep answering while the printer is asked, so a second print can be
    // started from the same or another window before the first is answered.
    static bool printing = false;
    if (printing) {
        services.dialogs.message(QStringLiteral("Drucken"),
                                 QStringLiteral("Es wird gerade schon gedruckt. Bitte warten, "
                                                "bis der Drucker geantwortet hat.\r\r"),
                                 MessageIcon::Information);
        return;
    }
    const QScopedValueRollback<bool> busy(printing, true);

    if (services.training.printLocked && !unlockedByPassword(services.dialogs, points, wrongPasswordText))
        return;
    if (services.dialogs.question(title, name + QStringLiteral(" jetzt ausdrucken?\r\r"),
                                  MessageIcon::Question, Answer::No)
        != Answer::Yes)
        return;

    const PrintResult result = job();
    if (result.printed)
        services.dialogs.message(QStringLiteral("Drucken"),
                                 name + QStringLiteral(" wird gedruckt ...\r\r"));
    else if (result.uncertain)
        services.dialogs.message(QStringLiteral("Drucken"),
                                 result.failure + QStringLiteral("\rOb ") + name.left(1).toLower()
                                     + name.mid(1)
                                     + QStringLiteral(" gedruckt wird, ist nicht bekannt. Bitte am "
                                                      "Drucker nachsehen.\r\r"),
                                 MessageIcon::Warning);
    else
        services.dialogs.message(QStringLiteral("Drucken"),
                                 result.failure + QStringLiteral("\r") + name
                                     + QStringLiteral(" wurde nicht gedruckt.\r\r"),
                                 MessageIcon::Warning);
}

void printWorksheet(Services &services, SheetKind kind, const QStringList &sheet, SheetPass pass,
                    const QString &points)
{
    printLocked(services, sheetTitle(kind), sheetName(pass), points,
                [&] { return services.printer.print(printDocument(kind, sheet, pass)); });
}

void printSquaredPaper(Services &services, const SheetCode &shown, const QString &points)
{
    // The sheet view may take its code away while the printer is asked.
    const SheetCode code = shown;
    printLocked(services, sheetTitle(code.kind), QStringLiteral("Das Kästchenblatt"), points, [&] {
        QTemporaryDir spool;
        QFile file(spool.filePath(QStringLiteral("kaestchenblatt.pdf")));
        if (!spool.isValid() || !file.open(QIODevice::WriteOnly) || !SquaredPaper::write(file, code))
            return PrintResult{false, QStringLiteral("Der Druckauftrag konnte nicht vorbereitet werden.")};
        file.close();
        return services.printer.printPdf(
            file.fileName(),
            QStringLiteral("%1 (Kästchenblatt %2)").arg(sheetTitle(code.kind), code.text()));
    });
}

void saveSquaredPaper(Services &services, const SheetCode &code)
{
    const QString title = QString::fromUtf8(squaredPaperTitle);
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!folder.exists())
        folder = QDir::home();
    const std::optional<QString> chosen =
        services.dialogs.saveFileName(QStringLiteral("Kästchenblatt speichern"),
                                      folder.filePath(SquaredPaper::fileName(code)),
                                      QStringLiteral("PDF-Dateien (*.pdf)"));
    if (!chosen)
        return;
    QString path = *chosen;
    // The dialog adds the ending itself (and asks about the file that will be written);
    // one that did not has not asked about this file.
    if (!QFileInfo(path).fileName().contains(QLatin1Char('.'))) {
        path += QStringLiteral(".pdf");
        const QFileInfo existing(path);
        if (existing.exists()
            && services.dialogs.question(title,
                                         QStringLiteral("Die Datei „%1“ gibt es schon.\r"
                                                        "Soll sie ersetzt werden?\r\r")
                                             .arg(existing.fileName()),
                                         MessageIcon::Warning, Answer::No)
                   != Answer::Yes)
            return;
    }

    // Written beside the target and put in its place only when whole: a failed write
    // leaves no half file behind and an older file untouched.
    // Only a regular file, or a link to one, is written or replaced: a device, a pipe or a
    // socket of that name would be swapped for the sheet.
    const QFileInfo target(path);
    QSaveFile file(path);
    const bool opened = (!target.exists() || target.isFile()) && file.open(QIODevice::WriteOnly);
    if (opened && SquaredPaper::write(file, code) && file.commit()) {
        services.dialogs.message(title,
                                 QStringLiteral("Das Kästchenblatt wurde gespeichert:\r%1\r\r")
                                     .arg(QDir::toNativeSeparators(path)),
                                 MessageIcon::Information);
        return;
    }
    const QString why = saveFailure(file, opened);
    file.cancelWriting();
    services.dialogs.message(title,
                             QStringLiteral("Das Kästchenblatt wurde nicht gespeichert.\r%1\r\r").arg(why),
                             MessageIcon::Warning);
}

std::optional<SheetCode> readTypedSheetCode(Services &services, SheetKind kind, const QString &typed)
{
    const std::optional<SheetCode> code = SheetCode::read(typed);
    if (code && code->kind == kind)
        return code;
    const QString shown = typed.trimmed();
    if (code)
        services.dialogs.message(QStringLiteral("Blatt-Code"),
                                 QStringLiteral("Der Blatt-Code „%1“ gehört zu einem Blatt %2.\r"
                                                "Bitte im Fenster %2 eingeben.\r\r")
                                     .arg(shown, ofTheTrainer(code->kind)),
                                 MessageIcon::Warning);
    else
        services.dialogs.message(QStringLiteral("Blatt-Code"),
                                 QStringLiteral("„%1“ ist kein gültiger Blatt-Code.\r"
                                                "Ein Blatt-Code hat %2 Zeichen, Ziffern und Großbuchstaben,\r"
                                                "genau wie unten auf dem Blatt.\r\r")
                                     .arg(shown)
                                     .arg(SheetCode::length),
                                 MessageIcon::Warning);
    return std::nullopt;
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
