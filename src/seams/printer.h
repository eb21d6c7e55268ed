#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Lines of fixed-pitch text for the printer, in blocks that stay together on a page.
struct PrintDocument
{
    QString name; // the print job's name
    QList<QStringList> blocks;
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
};

// The system printer.
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
