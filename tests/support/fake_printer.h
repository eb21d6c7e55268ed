#pragma once

#include "ui/printer.h"

#include <QList>

// Records every print job; fails with `failure` when it is set.
class FakePrinter final : public Printer
{
public:
    PrintResult print(const PrintDocument &document) override
    {
        jobs.append(document);
        if (!failure.isEmpty())
            return PrintResult{false, failure};
        return PrintResult{true, QString()};
    }

    QString failure;
    QList<PrintDocument> jobs;
};
