#pragma once

#include "ui/printer.h"

#include <QPageSize>
#include <QString>

class QFont;
class QPrinter;

// Prints through Qt's printing, on the system's default printer or, for a preview or a
// test, into a PDF file; both go through printOn().
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

// Lays the document out on the printer's pages and prints it: the largest size up to the
// document's that fits the widest line into the printable width, page breaks between
// blocks only.
PrintResult printOn(QPrinter &printer, const PrintDocument &document);

// `family` at `pointSize`, or a fixed-pitch stand-in where `family` is missing, so that
// the columns of a sheet line up whatever font is found.
QFont fixedPitchFont(const QString &family, double pointSize);
// Every character a sheet is written with takes the same width in `font`.
bool linesUp(const QFont &font);
