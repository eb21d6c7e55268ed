#pragma once

#include "seams/printer.h"

#include <QPageSize>
#include <QString>
#include <QStringList>

class QPrinter;

// Seconds the print server gets for each answer before a print is given up; no call to it
// is made on the thread that calls the printer.
constexpr int printServerPatience = 5;

// Prints through Qt's printing, on the system's default printer or, for a preview or a
// test, into a PDF file; both go through printOn(). It lives in a library of its own
// that the program loads on its first print (PrinterOnDemand).
class QtPrinter final : public Printer
{
public:
    QtPrinter() = default;
    QtPrinter(const QString &pdfFile, const QPageSize &pageSize);

    PrintResult print(const PrintDocument &document) override;
    // A PDF printer copies the file to its own.
    PrintResult printPdf(const QString &pdfFile, const QString &name) override;

private:
    QString m_pdfFile;
    QPageSize m_pageSize;
};

// The printer a sheet goes to: the default one, or the only one installed when none is set
// as default. Printers are CUPS destinations, "queue" or "queue/instance"; instances of one
// queue are one printer. Where there is nothing to choose, `printer` is empty and `failure`
// tells the teacher why and what to do.
struct PrinterChoice
{
    QString printer;
    QString failure;
};
PrinterChoice choosePrinter(const QString &defaultPrinter, const QStringList &installed);

// Lays the document out on the printer's pages and prints it: the largest size up to the
// document's that fits the widest line into the printable width, page breaks between
// blocks only; each picture at its size (smaller where the page is) and on one page.
PrintResult printOn(QPrinter &printer, const PrintDocument &document);
