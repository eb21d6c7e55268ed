#include "platform/printer_on_demand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

using NewPrinter = Printer *(*)(const QString &pdfFile, const QPageSize &pageSize);

// Beside the program's folder, as installed (bin/ and lib/malrechnen/) and in the build tree.
QString libraryPath()
{
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QLatin1String(MALRECHNEN_PRINT_LIBRARY));
}

} // namespace

PrinterOnDemand::PrinterOnDemand()
    : m_library(libraryPath())
{
}

PrinterOnDemand::PrinterOnDemand(const QString &pdfFile, const QPageSize &pageSize)
    : m_library(libraryPath())
    , m_pdfFile(pdfFile)
    , m_pageSize(pageSize)
{
}

PrinterOnDemand::~PrinterOnDemand() = default;

Printer *PrinterOnDemand::loaded(PrintResult *failure)
{
    if (m_printer)
        return m_printer.get();
    // The library stays loaded for the rest of the run, as its printer may be used again,
    // and to its very end: a print the program gave up on may still be running its code.
    QLibrary library(m_library);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    const auto newPrinter = reinterpret_cast<NewPrinter>(library.resolve("malrechnenNewPrinter"));
    if (!newPrinter) {
        *failure = PrintResult{
            false, QStringLiteral("Drucken ist nicht möglich, weil ein Teil von Malrechnen fehlt "
                                  "(„%1“). Bitte das Programm neu installieren.")
                       .arg(QFileInfo(m_library).fileName())};
        return nullptr;
    }
    m_printer.reset(newPrinter(m_pdfFile, m_pageSize));
    return m_printer.get();
}

PrintResult PrinterOnDemand::print(const PrintDocument &document)
{
    PrintResult failure;
    Printer *printer = loaded(&failure);
    return printer ? printer->print(document) : failure;
}

PrintResult PrinterOnDemand::printPdf(const QString &pdfFile, const QString &name)
{
    PrintResult failure;
    Printer *printer = loaded(&failure);
    return printer ? printer->printPdf(pdfFile, name) : failure;
}
