#pragma once

#include "seams/printer.h"
#include "worksheets/sheet_code.h"
#include "worksheets/worksheet.h"

#include <functional>
#include <optional>

struct Services;

// "Aufgaben drucken" and "Lösungen drucken": the print lock (a locked print goes ahead
// only when the password typed is `points`, the points as shown), the question, the job
// and the closing message.
void printWorksheet(Services &services, SheetKind kind, const QStringList &sheet, SheetPass pass,
                    const QString &points);

// Every print of the program goes this way: the print lock (a locked print goes ahead only
// when the password typed is `points`), the question "<name> jetzt ausdrucken?" under
// `title`, the job, and the closing message ("<name> wird gedruckt ..." or why it was not).
// A password typed wrong (not a Cancel) is answered with `wrongPasswordText` where one is
// given, else nothing is said.
void printLocked(Services &services, const QString &title, const QString &name,
                 const QString &points, const std::function<PrintResult()> &job,
                 const QString &wrongPasswordText = QString());

// "Kopieren": problems and solutions onto the clipboard, no password asked.
void copyWorksheet(Services &services, SheetKind kind, const QStringList &sheet);

// "Kästchenblatt …", printed: the same lock, question and messages as the print commands,
// the squared-paper PDF of `code` as the job.
void printSquaredPaper(Services &services, const SheetCode &code, const QString &points);
// "Kästchenblatt …", saved: the teacher chooses the file; the PDF is written there whole or
// not at all, and a failure is reported.
void saveSquaredPaper(Services &services, const SheetCode &code);

// A code typed into the sheet view of the trainer whose sheets are `kind`; a mistyped code
// or one of another trainer is refused with a message.
std::optional<SheetCode> readTypedSheetCode(Services &services, SheetKind kind, const QString &typed);
