#pragma once

#include "seams/printer.h"

#include <QPageSize>
#include <QString>

#include <memory>

// The system printer, or a PDF file, through Qt's printing in a library of its own that is
// loaded on the first print. Qt's print support and the print server's library, with the
// encryption, Kerberos and network libraries behind it, would otherwise cost every start of
// the program time and memory, and most runs print nothing.
class PrinterOnDemand final : public Printer
{
public:
    // The system's default printer.
    PrinterOnDemand();
    // Pages of `pageSize` into `pdfFile`.
    PrinterOnDemand(const QString &pdfFile, const QPageSize &pageSize);
    ~PrinterOnDemand() override;

    // Where the library is looked for; by default beside the program's folder.
    void setLibrary(const QString &path) { m_library = path; }

    PrintResult print(const PrintDocument &document) override;
    PrintResult printPdf(const QString &pdfFile, const QString &name) override;

private:
    // The printer of the library, loaded now if it is not yet; null if the library is
    // missing, with the reason in `failure`.
    Printer *loaded(PrintResult *failure);

    QString m_library;
    QString m_pdfFile;
    QPageSize m_pageSize;
    std::unique_ptr<Printer> m_printer;
};
