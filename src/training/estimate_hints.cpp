#include "training/estimate_hints.h"

#include "training/exercise.h"

namespace {

// An operand to round: its value and its two highest digits, the place it is rounded to
// and the place that decides.
struct Operand
{
    qint64 value;
    QList<Cell> roundingDigits;
};

// Precondition: `rounded` is RoundedMultiplicand or RoundedMultiplier, of an operand of more
// than one digit.
Operand operandOf(const WrittenMultiplication &w, Part rounded)
{
    const bool multiplicand = rounded == Part::RoundedMultiplicand;
    Operand operand{multiplicand ? w.multiplicand() : w.multiplier(), {}};
    const int highest = digitCount(operand.value) - 1;
    for (int place : {highest, highest - 1})
        operand.roundingDigits << Cell{multiplicand ? Part::Multiplicand : Part::Multiplier, 0, place};
    return operand;
}

// "Runde 6 722 auf volle Tausender"
QString roundTo(const Operand &operand)
{
    return QStringLiteral("Runde %1 auf volle %2")
        .arg(groupedNumber(operand.value), placeWord(digitCount(operand.value) - 1));
}

Hint roundingHint(const WrittenMultiplication &w, const Cell &cell, bool worked)
{
    const Operand operand = operandOf(w, cell.part);
    const int highest = digitCount(operand.value) - 1;
    const int deciding = digitAt(operand.value, highest - 1);
    if (!worked)
        return {QStringLiteral("Überschlag: %1. Schau auf die %2: ab 5 rundest du auf.")
                    .arg(roundTo(operand), placeWord(highest - 1)),
                operand.roundingDigits};
    const qint64 rounded = roundToHighestPlace(operand.value);
    return {QStringLiteral("An der %1 von %2 steht %3, also rundest du %4: %5.")
                .arg(placeName(highest - 1), groupedNumber(operand.value))
                .arg(deciding)
                .arg(deciding >= 5 ? QStringLiteral("auf") : QStringLiteral("ab"), groupedNumber(rounded)),
            operand.roundingDigits};
}

// A number rounded to its highest place: its leading digits and the zeros after them
// (7 000 is 7 and three zeros, 10 000 is 1 and four).
struct Leading
{
    qint64 digits;
    int zeros;
};

Leading leadingOf(qint64 value)
{
    Leading leading{value, 0};
    while (leading.digits >= 10 && leading.digits % 10 == 0) {
        leading.digits /= 10;
        ++leading.zeros;
    }
    return leading;
}

// The digits of the rounded operands, from the left.
QList<Cell> roundedOperands(const WrittenMultiplication &w)
{
    QList<Cell> cells;
    for (Part part : {Part::RoundedMultiplicand, Part::RoundedMultiplier}) {
        const QList<Cell> number = w.cells(part);
        for (auto it = number.crbegin(); it != number.crend(); ++it)
            cells << *it;
    }
    return cells;
}

Hint productHint(const Exercise &ex, bool worked)
{
    const WrittenMultiplication &w = ex.written();
    const QList<Cell> inputs = roundedOperands(w);
    for (const Cell &input : inputs) {
        if (ex.isBlank(input))
            return {QStringLiteral("Überschlag: %1 zuerst.").arg(roundTo(operandOf(w, input.part))), {input}};
    }
    const Leading a = leadingOf(w.roundedMultiplicand());
    const Leading b = leadingOf(w.roundedMultiplier());
    if (!worked)
        return {QStringLiteral("Überschlag: Rechne %1 · %2 und hänge die Nullen beider Zahlen an.")
                    .arg(a.digits)
                    .arg(b.digits),
                inputs};
    return {QStringLiteral("%1 · %2 = %3, dann die Nullen: %4.")
                .arg(a.digits)
                .arg(b.digits)
                .arg(a.digits * b.digits)
                .arg(groupedNumber(w.estimate())),
            inputs};
}

Hint estimateHint(const Exercise &ex, const Cell &cell, bool worked)
{
    if (cell.part == Part::Estimate)
        return productHint(ex, worked);
    return roundingHint(ex.written(), cell, worked);
}

} // namespace

QString groupedNumber(qint64 value)
{
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return digits;
}

Hint estimateStepHint(const Exercise &exercise, const Cell &cell)
{
    return estimateHint(exercise, cell, false);
}

Hint estimateWorkedHint(const Exercise &exercise, const Cell &cell)
{
    return estimateHint(exercise, cell, true);
}

QString estimateNotice(const WrittenMultiplication &written)
{
    return QStringLiteral("Das Ergebnis muss ungefähr %1 sein.").arg(groupedNumber(written.estimate()));
}
