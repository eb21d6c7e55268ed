#include "platform/qt_printer.h"

#include "platform/fixed_pitch_font.h"
#include "platform/print_layout.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <cups/cups.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>

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

// Every call to the print server runs on a thread of its own (waitFor below) and over a
// connection of its own whose every wait for an answer ends after the server's patience:
// a server that accepts and never answers ends the call instead of holding it for ever.
class ServerConnection
{
public:
    ServerConnection()
        : m_http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              printServerPatience * 1000, nullptr))
    {
        if (m_http)
            httpSetTimeout(m_http, printServerPatience, &ServerConnection::giveUp, this);
    }
    ~ServerConnection()
    {
        if (m_http)
            httpClose(m_http);
    }
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    http_t *http() const { return m_http; }
    bool reached() const { return m_http != nullptr; }
    bool timedOut() const { return m_timedOut; }
    // The last request got no answer at all: timed out, or the connection broke.
    bool unanswered() const
    {
        return m_timedOut || (m_http && httpError(m_http) != 0)
               || cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
    }

private:
    static int giveUp(http_t *, void *self)
    {
        static_cast<ServerConnection *>(self)->m_timedOut = true;
        return 0;
    }

    http_t *m_http;
    bool m_timedOut = false;
};

QString silentServer(const ServerConnection &server)
{
    return server.timedOut()
               ? QStringLiteral("Der Drucker antwortet nicht: Der Druckdienst hat %1 Sekunden "
                                "lang keine Antwort gegeben.")
                     .arg(printServerPatience)
               : QStringLiteral("Der Drucker antwortet nicht: Der Druckdienst hat die Verbindung "
                                "abgebrochen.");
}

QString destinationName(const cups_dest_t &dest)
{
    QString name = QString::fromLocal8Bit(dest.name);
    if (dest.instance)
        name += QLatin1Char('/') + QString::fromLocal8Bit(dest.instance);
    return name;
}

// The printer a job goes to, or why there is none.
struct PrintTarget
{
    QString printer; // empty when there is none
    QString shownName;
    QSizeF paperMm; // the printer's default paper; empty when it does not say
    QString failure;
};

// On a worker: asks the server for its printers, its default and the chosen one's paper.
PrintTarget lookUpTarget()
{
    ServerConnection server;
    // No server at all: nothing is installed that could print.
    if (!server.reached())
        return PrintTarget{QString(), QString(), QSizeF(), choosePrinter(QString(), {}).failure};
    // A short question first, so that a silent server costs one wait, not one per request.
    ippDelete(cupsDoRequest(server.http(), ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"));
    if (server.unanswered())
        return PrintTarget{QString(), QString(), QSizeF(), silentServer(server)};

    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(server.http(), &dests);
    if (count == 0 && server.unanswered())
        return PrintTarget{QString(), QString(), QSizeF(), silentServer(server)};
    QString defaultPrinter;
    QStringList installed;
    for (int i = 0; i < count; ++i) {
        installed.append(destinationName(dests[i]));
        if (dests[i].is_default)
            defaultPrinter = installed.last();
    }
    const PrinterChoice choice = choosePrinter(defaultPrinter, installed);
    PrintTarget target{choice.printer, choice.printer, QSizeF(), choice.failure};
    if (!choice.printer.isEmpty()) {
        const QByteArray queue = queueOf(choice.printer).toLocal8Bit();
        const QByteArray instance = choice.printer.section(QLatin1Char('/'), 1).toLocal8Bit();
        cups_dest_t *dest = cupsGetDest(queue.constData(),
                                        instance.isEmpty() ? nullptr : instance.constData(),
                                        count, dests);
        if (!dest) {
            target.printer.clear();
            target.failure = QStringLiteral("Der Drucker „%1“ ist nicht mehr eingerichtet.")
                                 .arg(choice.printer);
        } else {
            const char *info = cupsGetOption("printer-info", dest->num_options, dest->options);
            if (info && *info)
                target.shownName = QString::fromUtf8(info);
            if (cups_dinfo_t *details = cupsCopyDestInfo(server.http(), dest)) {
                cups_size_t size;
                if (cupsGetDestMediaDefault(server.http(), dest, details, 0, &size))
                    target.paperMm = QSizeF(size.width / 100.0, size.length / 100.0);
                cupsFreeDestInfo(details);
            }
        }
    }
    cupsFreeDests(count, dests);
    return target;
}

// On a worker: hands a PDF file to the print server and reads its answer. The job is made
// first and the document sent into it, so that a server that stops in between is known to
// hold a job of ours.
PrintResult handOver(const PrintTarget &target, const QString &file, const QString &name)
{
    const QString refused =
        QStringLiteral("Der Drucker „%1“ hat den Auftrag nicht angenommen.").arg(target.shownName);
    ServerConnection server;
    if (!server.reached())
        return failed(QStringLiteral("Der Druckdienst ist nicht mehr zu erreichen."));
    // Jobs go to the queue, not to an instance of it.
    const QByteArray queue = queueOf(target.printer).toLocal8Bit();
    const QByteArray title = name.toUtf8();
    const int job = cupsCreateJob(server.http(), queue.constData(), title.constData(), 0, nullptr);
    if (job <= 0)
        return failed(server.unanswered() ? silentServer(server) : refused);

    // From here on the server holds the job: what happens to it is told as far as known.
    const auto brokeOff = [&] {
        if (!server.unanswered())
            return failed(refused);
        PrintResult result = failed(
            QStringLiteral("Der Drucker „%1“ hat den Auftrag (Nr. %2) angenommen und dann nicht "
                           "mehr geantwortet.")
                .arg(target.shownName)
                .arg(job));
        result.uncertain = true;
        return result;
    };
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly)) {
        cupsCancelJob2(server.http(), queue.constData(), job, 0);
        return failed(QStringLiteral("Der Druckauftrag konnte nicht vorbereitet werden."));
    }
    if (cupsStartDocument(server.http(), queue.constData(), job, title.constData(), CUPS_FORMAT_PDF, 1)
        != HTTP_STATUS_CONTINUE)
        return brokeOff();
    char buffer[32768];
    qint64 read = 0;
    while ((read = pdf.read(buffer, sizeof buffer)) > 0) {
        if (cupsWriteRequestData(server.http(), buffer, size_t(read)) != HTTP_STATUS_CONTINUE) {
            cupsFinishDocument(server.http(), queue.constData());
            return brokeOff();
        }
    }
    if (cupsFinishDocument(server.http(), queue.constData()) != IPP_STATUS_OK)
        return brokeOff();
    return PrintResult{true, QString()};
}

// Runs `work` on a thread of its own and waits for its result at most `limit`, with the
// calling thread's event loop running meanwhile: the windows keep painting and answering.
// Nothing when the limit passed first or the program is ending; the thread then ends by
// itself (its server calls are bounded) and its result is dropped. The library stays
// loaded to the end (PrinterOnDemand), so a thread still running then has its code.
template <typename Result>
std::optional<Result> waitFor(std::function<Result()> work, std::chrono::milliseconds limit,
                              bool *ending)
{
    auto promise = std::make_shared<std::promise<Result>>();
    std::future<Result> result = promise->get_future();
    std::thread([promise, work = std::move(work)] { promise->set_value(work()); }).detach();

    const auto ready = [&result] {
        return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    };
    QElapsedTimer waited;
    waited.start();
    if (QCoreApplication::instance()) {
        QEventLoop loop;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (ready() || waited.elapsed() >= limit.count())
                loop.quit();
        });
        poll.start();
        // Returns at once when the program is ending.
        loop.exec();
    } else {
        result.wait_for(limit);
    }
    if (!ready()) {
        *ending = waited.elapsed() < limit.count();
        return std::nullopt;
    }
    return result.get();
}

// A worker gets this long before the window gives up on it: every wait of its
// connection is bounded, but a request may take several.
constexpr std::chrono::milliseconds workerLimit(3 * printServerPatience * 1000);

PrintResult noAnswer(bool ending)
{
    if (ending)
        return failed(QStringLiteral("Das Programm wird beendet, ohne auf den Drucker zu warten."));
    return failed(QStringLiteral("Der Drucker antwortet nicht: Der Druckdienst hat %1 Sekunden "
                                 "lang keine Antwort gegeben.")
                      .arg(3 * printServerPatience));
}

// A PDF cut short (a full disk, a write refused) lacks the end-of-file mark of its last
// lines; a printer would print what came or nothing at all.
bool wholePdf(const QString &file)
{
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly) || pdf.size() < 16)
        return false;
    pdf.seek(std::max<qint64>(0, pdf.size() - 64));
    return pdf.readAll().contains("%%EOF");
}

PrintResult notPrepared()
{
    return failed(QStringLiteral("Der Druckauftrag konnte nicht vorbereitet werden."));
}

PrintResult toPrinter(const std::optional<PrintTarget> &target, const QString &file,
                      const QString &name)
{
    if (!wholePdf(file))
        return notPrepared();
    bool ending = false;
    const std::optional<PrintResult> result =
        waitFor<PrintResult>([target = *target, file, name] { return handOver(target, file, name); },
                             workerLimit, &ending);
    return result ? *result : noAnswer(ending);
}

} // namespace

PrintResult QtPrinter::printPdf(const QString &pdfFile, const QString &name)
{
    if (!m_pdfFile.isEmpty()) {
        QFile::remove(m_pdfFile);
        return wholePdf(pdfFile) && QFile::copy(pdfFile, m_pdfFile)
                   ? PrintResult{true, QString()}
                   : failed(QStringLiteral("Der Druckauftrag ist fehlgeschlagen."));
    }
    bool ending = false;
    const std::optional<PrintTarget> target = waitFor<PrintTarget>(&lookUpTarget, workerLimit, &ending);
    if (!target)
        return noAnswer(ending);
    if (target->printer.isEmpty())
        return failed(target->failure);
    return toPrinter(target, pdfFile, name);
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
    bool ending = false;
    const std::optional<PrintTarget> target = waitFor<PrintTarget>(&lookUpTarget, workerLimit, &ending);
    if (!target)
        return noAnswer(ending);
    if (target->printer.isEmpty())
        return failed(target->failure);
    // Qt hands a finished job to the print server without reading the server's answer, so
    // a server that stopped or refuses jobs would pass for a printed sheet. The job is
    // laid out into a PDF file here and handed over by hand, answer read.
    QTemporaryDir spool;
    if (!spool.isValid())
        return notPrepared();
    const QString file = spool.filePath(QStringLiteral("blatt.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(target->paperMm.isEmpty()
                                ? QPageSize(QPageSize::A4)
                                : QPageSize(target->paperMm, QPageSize::Millimeter));
        const PrintResult laidOut = printOn(printer, document);
        if (!laidOut.printed)
            return laidOut;
    }
    return toPrinter(target, file, document.name);
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
