#include "arithmetic/written_views.h"

QString rightAligned(qint64 value, int width)
{
    const QString padded = QString(width, QLatin1Char(' ')) + QString::number(value);
    return padded.right(width);
}

QStringList answerRows(const WrittenMultiplication &w)
{
    QStringList texts;
    for (int r = 0; r < w.rowCount(); ++r)
        texts << QString::number(w.partialProduct(r));
    texts << QString::number(w.product());
    return texts;
}

namespace {

// Multiplicand times the one multiplier digit, without the multiplier's zeros.
qint64 digitProduct(const WrittenMultiplication &w)
{
    return w.multiplicand() * w.multiplierDigits().value(0);
}

} // namespace

QStringList oneRowAnswerKey(const WrittenMultiplication &w)
{
    return {rightAligned(w.multiplicand()), rightAligned(w.multiplierDigits().value(0)),
            rightAligned(digitProduct(w) * 100)};
}

QStringList oneRowScaledProducts(const WrittenMultiplication &w)
{
    const qint64 p = digitProduct(w);
    return {rightAligned(p), rightAligned(p * 10), rightAligned(p * 100)};
}

QString displayLine(const WrittenMultiplication &w, Part part, int row, int width,
                    WrittenDisplay display)
{
    QString line(width, QLatin1Char(' '));
    for (int place = 0; place < width; ++place) {
        Cell cell{part, row, place};
        if (part == Part::PartialProduct && place < w.trailingZeros(row))
            cell.part = Part::Zero;
        if (w.isShown(cell, display))
            line[width - 1 - place] = QLatin1Char(char('0' + w.digit(cell)));
    }
    return line;
}

QStringList sheetAnswers(const WrittenMultiplication &w, int width, WrittenDisplay display)
{
    QStringList lines;
    if (w.hasSum()) {
        for (int r = 0; r < w.rowCount(); ++r)
            lines << displayLine(w, Part::PartialProduct, r, width, display);
        lines << displayLine(w, Part::Sum, 0, width, display);
    } else {
        // One digit: the partial product is the product, written with its zeros.
        lines << displayLine(w, Part::PartialProduct, 0, width, WrittenDisplay::Flush);
    }
    return lines;
}
