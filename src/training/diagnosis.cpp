#include "training/diagnosis.h"

#include "training/exercise.h"

#include <QStringList>

namespace {

using Rule = Computation::Rule;

int mod10(int value)
{
    return ((value % 10) + 10) % 10;
}

bool isAnswerCell(const Cell &cell)
{
    return cell.part != Part::Multiplicand && cell.part != Part::Multiplier;
}

// The multiplicand, multiplier and carry-in cells of a multiplication step; the carry only
// when one came in.
QList<Cell> productCells(const Computation &step)
{
    QList<Cell> cells{*step.multiplicandDigit, *step.multiplierDigit};
    if (step.carryIn && step.c > 0)
        cells << *step.carryIn;
    return cells;
}

// The addends that are digits of a partial product (its zeros add nothing).
QList<Cell> digitAddends(const Computation &step)
{
    QList<Cell> cells;
    for (const Cell &cell : step.addends) {
        if (cell.part != Part::Zero)
            cells << cell;
    }
    return cells;
}

QList<Cell> additionCells(const Computation &step)
{
    QList<Cell> cells = digitAddends(step);
    if (step.carryIn && step.c > 0)
        cells << *step.carryIn;
    return cells;
}

QString withCarry(int c)
{
    return c > 0 ? QStringLiteral(" und zähle den Übertrag %1 dazu").arg(c) : QString();
}

// Whether the step is the last column of its partial product, where the whole value is
// written down.
bool isLastColumn(const WrittenMultiplication &w, const Cell &cell, const Computation &step)
{
    return (cell.part == Part::PartialProduct || cell.part == Part::Carry)
           && step.column - w.trailingZeros(cell.row) == w.multiplicandLength() - 1;
}

bool isLastSumColumn(const WrittenMultiplication &w, const Computation &step)
{
    return step.column == w.cells(Part::Sum).size() - 1;
}

// "4 · 7 = 28, 28 + 2 = 30"
QString productSum(const Computation &step)
{
    const int product = step.x * step.m;
    QString text = QStringLiteral("%1 · %2 = %3").arg(step.x).arg(step.m).arg(product);
    if (step.c > 0)
        text += QStringLiteral(", %1 + %2 = %3").arg(product).arg(step.c).arg(step.value);
    return text;
}

// "9 + 8 = 17, 17 + 1 = 18"
QString additionSum(const WrittenMultiplication &w, const Computation &step)
{
    const QList<Cell> addends = digitAddends(step);
    QStringList digits;
    int total = 0;
    for (const Cell &cell : addends) {
        digits << QString::number(w.digit(cell));
        total += w.digit(cell);
    }
    if (addends.isEmpty())
        return QStringLiteral("Nur der Übertrag %1").arg(step.c);
    QString text = addends.size() > 1 ? digits.join(QStringLiteral(" + ")) + QStringLiteral(" = %1").arg(total)
                                      : QStringLiteral("Nur die %1").arg(total);
    if (step.c > 0) {
        text = addends.size() > 1 ? text + QStringLiteral(", ") : QString();
        text += QStringLiteral("%1 + %2 = %3").arg(total).arg(step.c).arg(step.value);
    }
    return text;
}

// ": schreibe 0, merke 3." or, where the whole value is written, ": schreibe 21."
QString writeAndKeep(int value, bool whole)
{
    if (whole || value < 10)
        return QStringLiteral(": schreibe %1.").arg(value);
    return QStringLiteral(": schreibe %1, merke %2.").arg(value % 10).arg(value / 10);
}

// The multiplier a partial product is worked with, its zeros included ("40").
qint64 rowMultiplier(const WrittenMultiplication &w, int row)
{
    return w.multiplierDigits().value(row) * powerOfTen(w.trailingZeros(row));
}

QList<Cell> multiplierCellsOfRow(const WrittenMultiplication &w, int row)
{
    // The digit of the row and, for a multiplier written with zeros, those zeros.
    QList<Cell> cells{{Part::Multiplier, 0, w.trailingZeros(row)}};
    for (int p = 0; p < w.multiplierZeros(); ++p)
        cells << Cell{Part::Multiplier, 0, p};
    return cells;
}

// A missing operand digit of a gap problem: the step worked backwards.
Hint operandHint(const WrittenMultiplication &w, const Cell &cell)
{
    Hint hint;
    // The last partial product works with the multiplier's last digit and the multiplicand
    // from its ones: its columns show the operand digits backwards.
    const int row = w.rowCount() - 1;
    const int t = w.trailingZeros(row);
    if (cell.part == Part::Multiplicand) {
        const Computation column = w.computation({Part::PartialProduct, row, cell.place + t});
        const Cell written{Part::PartialProduct, row, cell.place + t};
        const bool last = cell.place == w.multiplicandLength() - 1;
        const QString plus = column.c > 0 ? QStringLiteral(" plus %1").arg(column.c) : QString();
        hint.text = columnName(column.column)
                    + (last && column.value >= 10
                           ? QStringLiteral(": Welche Ziffer mal %1%2 ergibt %3?").arg(column.m).arg(plus).arg(column.value)
                           : QStringLiteral(": Welche Ziffer mal %1%2 endet auf %3?").arg(column.m).arg(plus).arg(column.digit));
        hint.cells = {*column.multiplierDigit};
        if (column.c > 0)
            hint.cells << *column.carryIn;
        hint.cells << written;
        if (last && column.value >= 10)
            hint.cells << Cell{Part::PartialProduct, row, cell.place + t + 1};
        return hint;
    }
    // A multiplier digit: the first column of its partial product.
    const int digitRow = w.rowCount() - 1 - (cell.place - w.multiplierZeros());
    if (cell.place < w.multiplierZeros() || digitRow < 0) {
        hint.text = QStringLiteral("Die Zahl endet auf Null.");
        hint.cells = {cell};
        return hint;
    }
    const Cell first{Part::PartialProduct, digitRow, w.trailingZeros(digitRow)};
    hint.text = columnName(first.place)
                + QStringLiteral(": Welche Ziffer mal %1 endet auf %2?").arg(w.digit({Part::Multiplicand, 0, 0})).arg(w.digit(first));
    hint.cells = {Cell{Part::Multiplicand, 0, 0}, first};
    return hint;
}

} // namespace

const QList<ErrorKind> &errorKinds()
{
    static const QList<ErrorKind> kinds{
        ErrorKind::CarryForgotten, ErrorKind::CarryAddedTooEarly, ErrorKind::TensForOnes,
        ErrorKind::OnesAsCarry,    ErrorKind::TimesTable,         ErrorKind::ZeroForgotten,
        ErrorKind::PlaceShifted,   ErrorKind::AdditionCarryForgotten};
    return kinds;
}

QString errorKindName(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::CarryForgotten: return QStringLiteral("Übertrag vergessen");
    case ErrorKind::CarryAddedTooEarly: return QStringLiteral("Übertrag zu früh addiert");
    case ErrorKind::TensForOnes: return QStringLiteral("Zehner statt Einer");
    case ErrorKind::OnesAsCarry: return QStringLiteral("Einer als Übertrag");
    case ErrorKind::TimesTable: return QStringLiteral("Einmaleins");
    case ErrorKind::ZeroForgotten: return QStringLiteral("Null vergessen");
    case ErrorKind::PlaceShifted: return QStringLiteral("Stelle verrutscht");
    case ErrorKind::AdditionCarryForgotten: return QStringLiteral("Übertrag beim Addieren vergessen");
    }
    return QString();
}

QString errorKindQuestion(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::CarryForgotten: return QStringLiteral("Hast du den Übertrag vergessen?");
    case ErrorKind::CarryAddedTooEarly:
        return QStringLiteral("Hast du den Übertrag schon vor dem Malnehmen dazugezählt?");
    case ErrorKind::TensForOnes: return QStringLiteral("Hast du den Zehner statt des Einers geschrieben?");
    case ErrorKind::OnesAsCarry: return QStringLiteral("Hast du dir den Einer statt des Zehners gemerkt?");
    case ErrorKind::TimesTable: return QStringLiteral("Hast du dich beim Einmaleins verrechnet?");
    case ErrorKind::ZeroForgotten: return QStringLiteral("Hast du die Null vergessen?");
    case ErrorKind::PlaceShifted: return QStringLiteral("Bist du in der Stelle verrutscht?");
    case ErrorKind::AdditionCarryForgotten:
        return QStringLiteral("Hast du beim Addieren den Übertrag vergessen?");
    }
    return QString();
}

bool fitsErrorKind(ErrorKind kind, const Exercise &ex, const Cell &cell, int digit)
{
    if (!ex.isShown(cell) || !isAnswerCell(cell) || digit == ex.expectedDigit(cell))
        return false;
    const WrittenMultiplication &w = ex.written();
    // The digit the display writes at `place` of the cell's line.
    const auto written = [&](int place) {
        Cell neighbour{cell.part, cell.row, place};
        if (cell.part != Part::Sum)
            neighbour.part = place < w.trailingZeros(cell.row) ? Part::Zero : Part::PartialProduct;
        return ex.isShown(neighbour) ? w.lineDigit(cell.part, cell.row, place) : std::nullopt;
    };
    const Computation s = w.computation(cell);
    const bool resultDigit = s.rule == Rule::ProductDigit;
    const bool carry = s.rule == Rule::ProductCarry;
    const int xm = s.x * s.m;

    switch (kind) {
    case ErrorKind::CarryForgotten:
        if (resultDigit)
            return s.c > 0 && digit == xm % 10;
        return carry && s.c > 0 && digit == xm / 10 && xm / 10 != s.value / 10;
    case ErrorKind::CarryAddedTooEarly:
        return resultDigit && s.c > 0 && digit == (s.x + s.c) * s.m % 10;
    case ErrorKind::TensForOnes:
        return resultDigit && s.value >= 10 && digit == s.value / 10;
    case ErrorKind::OnesAsCarry:
        return carry && digit == s.value % 10;
    case ErrorKind::TimesTable:
        return resultDigit
               && (digit == mod10(s.value + s.m) || (s.x >= 1 && digit == mod10(s.value - s.m)));
    case ErrorKind::ZeroForgotten:
        return cell.part == Part::Zero && written(cell.place + 1) == std::optional<int>(digit);
    case ErrorKind::PlaceShifted:
        return (cell.part == Part::PartialProduct || cell.part == Part::Sum)
               && (written(cell.place - 1) == std::optional<int>(digit)
                   || written(cell.place + 1) == std::optional<int>(digit));
    case ErrorKind::AdditionCarryForgotten:
        return cell.part == Part::Sum && s.c > 0 && digit == mod10(s.value - s.c);
    }
    return false;
}

std::optional<ErrorKind> diagnose(const Exercise &ex, const Cell &cell, int digit)
{
    for (ErrorKind kind : errorKinds()) {
        if (fitsErrorKind(kind, ex, cell, digit))
            return kind;
    }
    return std::nullopt;
}

QString placeWord(int place)
{
    static const char *const words[] = {"Einer",         "Zehner",           "Hunderter", "Tausender",
                                        "Zehntausender", "Hunderttausender", "Millionen"};
    return place >= 0 && place < 7 ? QString::fromUtf8(words[place]) : QString();
}

QString columnName(int place)
{
    const QString word = placeWord(place);
    return word.isEmpty() ? word : word + QStringLiteral("spalte");
}

Hint stepHint(const Exercise &ex, const Cell &cell, std::optional<ErrorKind> kind)
{
    const WrittenMultiplication &w = ex.written();
    const Computation step = w.computation(cell);
    Hint hint;
    QString what;
    switch (step.rule) {
    case Rule::Given:
        return operandHint(w, cell);
    case Rule::Zero:
        what = QStringLiteral("Du rechnest mal %1, nicht mal %2.")
                   .arg(rowMultiplier(w, cell.row))
                   .arg(w.multiplierDigits().value(cell.row));
        hint.cells = multiplierCellsOfRow(w, cell.row);
        break;
    case Rule::ProductDigit:
    case Rule::ProductCarry:
        what = QStringLiteral("Rechne %1 · %2%3.").arg(step.x).arg(step.m).arg(withCarry(step.c));
        if (cell.part == Part::Carry)
            what += QStringLiteral(" Den Zehner merkst du dir als Übertrag.");
        else if (step.rule == Rule::ProductCarry)
            what += QStringLiteral(" Der Zehner kommt nach vorn.");
        hint.cells = productCells(step);
        break;
    case Rule::SumDigit:
    case Rule::SumCarry: {
        const QList<Cell> addends = digitAddends(step);
        if (addends.isEmpty())
            what = QStringLiteral("Hier kommt nur der Übertrag an.");
        else if (addends.size() == 1 && step.c == 0)
            what = QStringLiteral("Hier steht nur eine Ziffer darüber.");
        else {
            QStringList digits;
            for (const Cell &addend : addends)
                digits << QString::number(w.digit(addend));
            what = addends.size() == 1
                       ? QStringLiteral("Nimm die %1%2.").arg(digits.first(), withCarry(step.c))
                       : QStringLiteral("Addiere %1%2.").arg(digits.join(QStringLiteral(" + ")), withCarry(step.c));
        }
        if (step.rule == Rule::SumCarry)
            what += QStringLiteral(" Den Zehner merkst du dir als Übertrag.");
        hint.cells = additionCells(step);
        break;
    }
    }
    hint.text = columnName(step.column) + QStringLiteral(": ") + what;
    if (kind)
        hint.text += QLatin1Char(' ') + errorKindQuestion(*kind);
    return hint;
}

Hint workedHint(const Exercise &ex, const Cell &cell)
{
    const WrittenMultiplication &w = ex.written();
    const Computation step = w.computation(cell);
    Hint hint;
    switch (step.rule) {
    case Rule::Given: {
        if (cell.part == Part::Multiplicand) {
            // The missing operand digit: its column worked out forwards.
            const Cell row0{Part::PartialProduct, w.rowCount() - 1, cell.place + w.trailingZeros(w.rowCount() - 1)};
            const Computation column = w.computation(row0);
            hint.text = productSum(column) + QStringLiteral(": die Ziffer ist %1.").arg(column.x);
            hint.cells = productCells(column);
        } else {
            hint.text = QStringLiteral("Die Ziffer ist %1.").arg(step.digit);
            hint.cells = {cell};
        }
        return hint;
    }
    case Rule::Zero:
        hint.text = QStringLiteral("Du rechnest mal %1: schreibe 0.").arg(rowMultiplier(w, cell.row));
        hint.cells = multiplierCellsOfRow(w, cell.row);
        return hint;
    case Rule::ProductDigit:
    case Rule::ProductCarry:
        hint.text = productSum(step) + writeAndKeep(step.value, isLastColumn(w, cell, step));
        hint.cells = productCells(step);
        return hint;
    case Rule::SumDigit:
    case Rule::SumCarry:
        hint.text = additionSum(w, step) + writeAndKeep(step.value, isLastSumColumn(w, step));
        hint.cells = additionCells(step);
        return hint;
    }
    return hint;
}
