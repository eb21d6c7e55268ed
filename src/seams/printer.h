#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;

// A picture in a printout, drawn by `draw` into the rectangle the page gives it: `size` (in
// points), smaller where the page is narrower or shorter. It stands after the text block
// `afterBlock` and is never split between pages.
struct PrintPicture
{
    int afterBlock = 0;
    QSizeF size;
    std::function<void(QPainter &, const QRectF &)> draw;
};

// Lines of fixed-pitch text for the printer, in blocks that stay together on a page, and
// the pictures between them.
struct PrintDocument
{
    QString name; // the print job's name
    QList<QStringList> blocks;
    QList<PrintPicture> pictures;
    QString fontFamily;
    // The size to print at where the widest line fits the page; otherwise the largest
    // size that does.
    double pointSize = 12;

    QStringList lines() const;
};

struct PrintResult
{
    bool printed = false;
    // Why nothing (or not everything) was printed, in words for the user.
    QString failure;
    // The printer took the job and then stopped answering: whether it prints is not known.
    bool uncertain = false;
};

// The system printer. A print returns once the printer has answered or given up (a
// printer that does not answer is given up after a few seconds); the real one keeps the
// windows painting and answering meanwhile, so a print may return after other events.
class Printer
{
public:
    virtual ~Printer() = default;
    virtual PrintResult print(const PrintDocument &document) = 0;
    // Prints the pages of a finished PDF file, the job named `name`.
    virtual PrintResult printPdf(const QString &pdfFile, const QString &name) = 0;
};

inline QStringList PrintDocument::lines() const
{
    QStringList all;
    for (const QStringList &block : blocks)
        all += block;
    return all;
}
