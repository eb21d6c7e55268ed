#pragma once

#include "worksheets/worksheet.h"

struct Services;
class Navigator;

// The print lock: the box `Kontroll1` of the info window, which is built (not shown) when
// it does not exist yet. Checked means printing is locked.
bool printingLocked(Navigator &navigator);

// "Aufgaben drucken" and "Lösungen drucken": the print lock (a locked print goes ahead
// only when the password typed is `points`, the points as shown), the question, the job
// and the closing message.
void printWorksheet(Services &services, SheetKind kind, const QStringList &sheet, SheetPass pass,
                    const QString &points);

// Prints `document` the way every print of the program goes: the print lock (a locked print
// goes ahead only when the password typed is `points`), the question "<name> jetzt
// ausdrucken?" under `title`, the job, and the closing message ("<name> wird gedruckt ..."
// or why it was not).
void printLocked(Services &services, const QString &title, const QString &name,
                 const PrintDocument &document, const QString &points);

// "Kopieren": problems and solutions onto the clipboard, no password asked.
void copyWorksheet(Services &services, SheetKind kind, const QStringList &sheet);
