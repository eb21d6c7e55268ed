#pragma once

#include "seams/printer.h"

#include <QFile>
#include <QList>
#include <QPair>

// Records every print job; fails with `failure` when it is set (as a job the printer took
// and then left unanswered when `uncertain` is set too).
class FakePrinter final : public Printer
{
public:
    PrintResult print(const PrintDocument &document) override
    {
        jobs.append(document);
        if (!failure.isEmpty())
            return PrintResult{false, failure, uncertain};
        return PrintResult{true, QString()};
    }

    PrintResult printPdf(const QString &pdfFile, const QString &name) override
    {
        QFile file(pdfFile);
        pdfJobs.append({name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray()});
        if (!failure.isEmpty())
            return PrintResult{false, failure, uncertain};
        return PrintResult{true, QString()};
    }

    QString failure;
    bool uncertain = false;
    QList<PrintDocument> jobs;
    // The PDF jobs: their names and the files' bytes as they were handed over.
    QList<QPair<QString, QByteArray>> pdfJobs;
};
