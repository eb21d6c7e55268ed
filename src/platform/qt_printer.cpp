#include "platform/qt_printer.h"

#include "platform/fixed_pitch_font.h"
#include "platform/print_layout.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <cups/cups.h>

#include <algorithm>
#include <cmath>

namespace {

int trailingBlanks(const QString &line)
{
    int n = 0;
    while (n < line.size() && line.at(line.size() - 1 - n) == QLatin1Char(' '))
        ++n;
    return n;
}

// A CUPS destination may carry an instance ("queue/instance"); jobs go to the queue.
QString queueOf(const QString &destination)
{
    return destination.section(QLatin1Char('/'), 0, 0);
}

PrintResult failed(const QString &why)
{
    return PrintResult{false, why};
}

// A picture takes the lines of its height in a block of its own, so a page breaks only
// above or below it; its first line carries its number. No text of a printout holds this
// character (the object replacement character).
constexpr QChar pictureMark(0xFFFC);

struct LaidOut
{
    QList<QStringList> blocks;
    QList<QSizeF> pictureSizes; // in device pixels
};

LaidOut withPictures(const PrintDocument &document, const QSizeF &page, double pixelsPerPoint,
                     double spacing, int linesPerPage)
{
    LaidOut laidOut;
    laidOut.pictureSizes.resize(document.pictures.size());
    const auto placePicturesAfter = [&](qsizetype block) {
        for (int p = 0; p < document.pictures.size(); ++p) {
            const PrintPicture &picture = document.pictures.at(p);
            const qsizetype last = std::max<qsizetype>(document.blocks.size() - 1, 0);
            if (std::clamp<qsizetype>(picture.afterBlock, 0, last) != block)
                continue;
            QSizeF size = picture.size * pixelsPerPoint;
            if (size.width() > page.width() || size.height() > page.height())
                size.scale(page, Qt::KeepAspectRatio);
            laidOut.pictureSizes[p] = size;
            const int lines = std::clamp(int(std::ceil(size.height() / spacing)), 1, linesPerPage);
            QStringList block{pictureMark + QString::number(p)};
            while (block.size() < lines)
                block.append(QString(pictureMark));
            laidOut.blocks.append(block);
        }
    };
    for (qsizetype b = 0; b < document.blocks.size(); ++b) {
        laidOut.blocks.append(document.blocks.at(b));
        placePicturesAfter(b);
    }
    if (document.blocks.isEmpty())
        placePicturesAfter(0);
    return laidOut;
}

} // namespace

PrinterChoice choosePrinter(const QString &defaultPrinter, const QStringList &installed)
{
    if (!defaultPrinter.isEmpty())
        return PrinterChoice{defaultPrinter, QString()};
    QStringList queues;
    for (const QString &destination : installed) {
        if (!queues.contains(queueOf(destination)))
            queues.append(queueOf(destination));
    }
    if (queues.isEmpty())
        return PrinterChoice{QString(), QStringLiteral("Es ist kein Drucker eingerichtet.")};
    if (queues.size() == 1)
        return PrinterChoice{queues.first(), QString()};
    return PrinterChoice{
        QString(),
        QStringLiteral("Es ist kein Standarddrucker festgelegt (eingerichtet sind: „%1“).\r"
                       "Einen Standarddrucker legt man in den Druckereinstellungen des Systems "
                       "fest oder im Terminal mit „lpoptions -d Druckername“.")
            .arg(queues.join(QStringLiteral("“, „")))};
}

QtPrinter::QtPrinter(const QString &pdfFile, const QPageSize &pageSize)
    : m_pdfFile(pdfFile)
    , m_pageSize(pageSize)
{
}

namespace {

QString shownName(const QPrinterInfo &target)
{
    return target.description().isEmpty() ? target.printerName() : target.description();
}

// Hands a PDF file to the print server and reads its answer.
PrintResult handOver(const QPrinterInfo &target, const QString &file, const QString &name)
{
    // Jobs go to the queue, not to an instance of it.
    const QByteArray queue = queueOf(target.printerName()).toLocal8Bit();
    const int job = cupsPrintFile(queue.constData(), QFile::encodeName(file).constData(),
                                  name.toUtf8().constData(), 0, nullptr);
    if (job <= 0)
        return failed(QStringLiteral("Der Drucker „%1“ hat den Auftrag nicht angenommen.")
                          .arg(shownName(target)));
    return PrintResult{true, QString()};
}

struct PrintTarget
{
    QPrinterInfo info; // null when there is none
    QString failure;
};

// The printer a job goes to, or why there is none.
PrintTarget printTarget()
{
    const PrinterChoice choice = choosePrinter(QPrinterInfo::defaultPrinterName(),
                                               QPrinterInfo::availablePrinterNames());
    if (choice.printer.isEmpty())
        return PrintTarget{QPrinterInfo(), choice.failure};
    const QPrinterInfo info = QPrinterInfo::printerInfo(choice.printer);
    if (info.isNull())
        return PrintTarget{info, QStringLiteral("Der Drucker „%1“ ist nicht mehr eingerichtet.")
                                     .arg(choice.printer)};
    return PrintTarget{info, QString()};
}

} // namespace

PrintResult QtPrinter::printPdf(const QString &pdfFile, const QString &name)
{
    if (!m_pdfFile.isEmpty()) {
        QFile::remove(m_pdfFile);
        return QFile::copy(pdfFile, m_pdfFile)
                   ? PrintResult{true, QString()}
                   : failed(QStringLiteral("Der Druckauftrag ist fehlgeschlagen."));
    }
    const PrintTarget target = printTarget();
    if (target.info.isNull())
        return failed(target.failure);
    return handOver(target.info, pdfFile, name);
}

PrintResult QtPrinter::print(const PrintDocument &document)
{
    if (!m_pdfFile.isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_pdfFile);
        printer.setPageSize(m_pageSize);
        return printOn(printer, document);
    }
    const PrintTarget target = printTarget();
    if (target.info.isNull())
        return failed(target.failure);
    // Qt hands a finished job to the print server without reading the server's answer, so
    // a server that stopped or refuses jobs would pass for a printed sheet. The job is
    // laid out into a PDF file here and handed over by hand, answer read.
    QTemporaryDir spool;
    if (!spool.isValid())
        return failed(QStringLiteral("Der Druckauftrag konnte nicht vorbereitet werden."));
    const QString file = spool.filePath(QStringLiteral("blatt.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(target.info.defaultPageSize());
        const PrintResult laidOut = printOn(printer, document);
        if (!laidOut.printed)
            return laidOut;
    }
    return handOver(target.info, file, document.name);
}

PrintResult printOn(QPrinter &printer, const PrintDocument &document)
{
    printer.setDocName(document.name);
    printer.setFullPage(false);
    const QStringList lines = document.lines();
    // Blanks at the end of a line take no room on paper.
    QString widest;
    for (const QString &line : lines) {
        const QString visible = line.left(line.size() - trailingBlanks(line));
        if (visible.size() > widest.size())
            widest = visible;
    }

    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    QFont font = fixedPitchFont(document.fontFamily, document.pointSize);
    const auto widthAt = [&](double size) {
        QFont sized = font;
        sized.setPointSizeF(size);
        return QFontMetricsF(sized, &printer).horizontalAdvance(widest);
    };
    font.setPointSizeF(fittingPointSize(document.pointSize, area.width(), widthAt));

    const QFontMetricsF metrics(font, &printer);
    const double spacing = metrics.lineSpacing();
    const int linesPerPage =
        int((area.height() - metrics.ascent() - metrics.descent()) / spacing) + 1;
    const QSizeF page(area.width(), std::min(area.height(), linesPerPage * spacing));
    const LaidOut laidOut =
        withPictures(document, page, printer.resolution() / 72.0, spacing, linesPerPage);
    const QList<QStringList> pages = paginate(laidOut.blocks, linesPerPage);

    QPainter painter;
    if (!painter.begin(&printer))
        return failed(QStringLiteral("Der Drucker konnte nicht angesprochen werden."));
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage()) {
            painter.end();
            return failed(QStringLiteral("Der Druckauftrag ist mitten im Blatt abgebrochen."));
        }
        const QStringList &page = pages.at(p);
        for (int i = 0; i < page.size(); ++i) {
            const QString &line = page.at(i);
            if (!line.startsWith(pictureMark)) {
                painter.drawText(QPointF(0, metrics.ascent() + i * spacing), line);
            } else if (line.size() > 1) {
                const int picture = line.mid(1).toInt();
                painter.save();
                document.pictures.at(picture).draw(
                    painter, QRectF(QPointF(0, i * spacing), laidOut.pictureSizes.at(picture)));
                painter.restore();
            }
        }
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return failed(QStringLiteral("Der Druckauftrag ist fehlgeschlagen."));
    return PrintResult{true, QString()};
}

// The entry of the printing library the program loads on its first print
// (platform/printer_on_demand.cpp).
extern "C" Q_DECL_EXPORT Printer *malrechnenNewPrinter(const QString &pdfFile,
                                                       const QPageSize &pageSize)
{
    return pdfFile.isEmpty() ? new QtPrinter() : new QtPrinter(pdfFile, pageSize);
}
