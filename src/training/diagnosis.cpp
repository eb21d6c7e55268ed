#include "training/diagnosis.h"

#include "training/estimate_hints.h"
#include "training/exercise.h"

#include <QStringList>

namespace {

using Rule = Computation::Rule;

int mod10(int value)
{
    return ((value % 10) + 10) % 10;
}

// A digit of the written multiplication under the problem line.
bool isAnswerCell(const Cell &cell)
{
    return cell.part != Part::Multiplicand && cell.part != Part::Multiplier && !isEstimate(cell);
}

// A mistake in a product row carried on in the head: where no carry box holds the carry,
// a child who makes it takes its own wrong carry into the next column. The digit and the
// carry of one column as the kind works it, from the carry it brings in.
std::pair<int, int> columnAsKind(ErrorKind kind, int x, int m, int c)
{
    switch (kind) {
    case ErrorKind::CarryForgotten: return {x * m % 10, x * m / 10};
    case ErrorKind::CarryAddedTooEarly: return {(x + c) * m % 10, (x + c) * m / 10};
    case ErrorKind::TensForOnes: {
        const int s = x * m + c;
        return s >= 10 ? std::pair{s / 10, s % 10} : std::pair{s, 0};
    }
    case ErrorKind::OnesAsCarry: {
        // The digit written is carried too, as in a carry box (a ten or not).
        const int s = x * m + c;
        return {s % 10, s % 10};
    }
    default: return {(x * m + c) % 10, (x * m + c) / 10};
    }
}

// The digit the kind writes at column `column` of the row's partial product (the leading
// digit at the multiplicand's length), its carries kept in the head from the first column.
int chainedDigit(ErrorKind kind, const WrittenMultiplication &w, int row, int column)
{
    const int m = w.multiplierDigits().value(row);
    int c = 0;
    for (int i = 0; i < w.multiplicandLength(); ++i) {
        const int x = w.digit({Part::Multiplicand, 0, i});
        const auto [digit, carry] = columnAsKind(kind, x, m, c);
        if (i == column)
            return digit;
        c = carry;
    }
    return c;
}

// The carry a step takes in, to highlight: only when one came in and it stands on screen
// (an empty carry box shows nothing; the pupil keeps the carry in mind).
QList<Cell> carryInCell(const Exercise &ex, const Computation &step)
{
    if (step.carryIn && step.c > 0 && !ex.isBlank(*step.carryIn))
        return {*step.carryIn};
    return {};
}

// The multiplicand, multiplier and carry-in cells of a multiplication step.
QList<Cell> productCells(const Exercise &ex, const Computation &step)
{
    return QList<Cell>{*step.multiplicandDigit, *step.multiplierDigit} + carryInCell(ex, step);
}

// The addends of a column of the addition that the display writes: the digits of the
// partial products and, flush, their zeros (the staircase leaves the zeros out).
QList<Cell> writtenAddends(const Exercise &ex, const Computation &step)
{
    QList<Cell> cells;
    for (const Cell &cell : step.addends) {
        if (ex.isShown(cell))
            cells << cell;
    }
    return cells;
}

QList<Cell> additionCells(const Exercise &ex, const Computation &step)
{
    return writtenAddends(ex, step) + carryInCell(ex, step);
}

QString withCarry(int c)
{
    return c > 0 ? QStringLiteral(" und zähle den Übertrag %1 dazu").arg(c) : QString();
}

// The carry of an addition as the pupil finds it: written small over the sum's rule, or
// kept in mind while its box is empty.
QString withAdditionCarry(const Exercise &ex, const Computation &step)
{
    if (step.c > 0 && step.carryIn && ex.shownDigit(*step.carryIn))
        return QStringLiteral(" und zähle den Übertrag %1 über dem Strich dazu").arg(step.c);
    return withCarry(step.c);
}

// Said on a carry box: true whether the column makes 10 or more or not, so it gives away
// no more than the step.
QString keepTheTens()
{
    return QStringLiteral(" Der Zehner ist der Übertrag, unter 10 ist er 0.");
}

// Whether the step is the last column of its partial product, where the whole value is
// written down.
bool isLastColumn(const WrittenMultiplication &w, const Cell &cell, const Computation &step)
{
    return cell.part == Part::PartialProduct && step.column - w.trailingZeros(cell.row) == w.multiplicandLength() - 1;
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

// "Hunderterspalte: 4 + 7 + 1 = 12": the digits written over the column and the carry that
// comes in, added up in one go; "Nur die 1" or "Nur der Übertrag 1" where there is nothing
// to add.
QString additionSum(const Exercise &ex, const Computation &step, const QString &label)
{
    QStringList terms;
    for (const Cell &cell : writtenAddends(ex, step))
        terms << QString::number(ex.written().digit(cell));
    if (step.c > 0)
        terms << QString::number(step.c);
    if (terms.size() > 1)
        return label + QStringLiteral(": ") + terms.join(QStringLiteral(" + "))
               + QStringLiteral(" = %1").arg(step.value);
    return step.c > 0 ? QStringLiteral("Nur der Übertrag %1").arg(step.c) : QStringLiteral("Nur die %1").arg(step.value);
}

// ": schreibe 0, merke 3." or, where the whole value is written, ": schreibe 21.". On a
// carry box the carry is said even when it is 0.
QString writeAndKeep(int value, bool whole, bool carryBox)
{
    if (whole || (value < 10 && !carryBox))
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

// "die Ziffer des 1. Teilprodukts in der Hunderterstelle"
QString digitName(const WrittenMultiplication &w, const Cell &cell)
{
    QString line;
    switch (cell.part) {
    case Part::Multiplicand: line = QStringLiteral("der ersten Zahl"); break;
    case Part::Multiplier: line = QStringLiteral("der zweiten Zahl"); break;
    case Part::PartialProduct:
    case Part::Zero:
        line = w.hasSum() ? QStringLiteral("des %1. Teilprodukts").arg(cell.row + 1) : QStringLiteral("des Ergebnisses");
        break;
    case Part::Sum: line = QStringLiteral("des Ergebnisses"); break;
    case Part::Carry:
    case Part::SumCarry: line = QStringLiteral("der Überträge"); break;
    case Part::RoundedMultiplicand:
    case Part::RoundedMultiplier:
    case Part::Estimate: line = QStringLiteral("des Überschlags"); break;
    }
    return QStringLiteral("die Ziffer %1 in der %2").arg(line, placeName(cell.place));
}

// The column of the last partial product (the one of the multiplier's last digit) that a
// missing multiplicand digit is worked back from.
Cell backwardsCell(const WrittenMultiplication &w, const Cell &multiplicandDigit)
{
    const int row = w.rowCount() - 1;
    return {Part::PartialProduct, row, multiplicandDigit.place + w.trailingZeros(row)};
}

// The last column writes its whole value: its leading digit belongs to it.
bool writesWhole(const WrittenMultiplication &w, const Cell &multiplicandDigit, const Computation &column)
{
    return multiplicandDigit.place == w.multiplicandLength() - 1 && column.value >= 10;
}

// The column a step works in and the digits it works with, in the order a pupil finds them:
// the operand digits it multiplies, the digits it adds. An addition names its carry, which
// comes from the columns to its right: their digits count too, from the ones column up.
// Carries are none of them: a carry follows from the column to its right, and the pupil
// keeps it in mind whether it stands in a box or not.
struct Route
{
    int column = 0;
    QList<Cell> inputs;
};

// Precondition: `cell` is no multiplier digit (those choose their column, multiplierHint).
Route routeOf(const Exercise &ex, const Cell &cell)
{
    const WrittenMultiplication &w = ex.written();
    if (cell.part == Part::Multiplicand) {
        const Cell written = backwardsCell(w, cell);
        const Computation column = w.computation(written);
        Route route{column.column, {*column.multiplierDigit, written}};
        if (writesWhole(w, cell, column))
            route.inputs << Cell{Part::PartialProduct, written.row, written.place + 1};
        return route;
    }
    const Computation step = w.computation(cell);
    Route route{step.column, {}};
    switch (step.rule) {
    case Rule::Given:
    case Rule::Estimate:
        break;
    case Rule::Zero:
        route.inputs = multiplierCellsOfRow(w, cell.row);
        break;
    case Rule::ProductDigit:
    case Rule::ProductCarry:
        route.inputs = {*step.multiplicandDigit, *step.multiplierDigit};
        break;
    case Rule::SumDigit:
    case Rule::SumCarry:
        // A carry that stands over the rule (given, or written by the pupil) is added as it
        // stands; one not written follows from the columns to the right, from the ones up.
        if (step.carryIn && ex.shownDigit(*step.carryIn)) {
            route.inputs = writtenAddends(ex, step);
            break;
        }
        for (int column = 0; column <= step.column; ++column)
            route.inputs += writtenAddends(ex, w.computation({Part::Sum, 0, column}));
        break;
    }
    return route;
}

// How a hint on `cell` names the column it works in: a carry box stands over the column
// after it, so its hint says where the carry comes from.
QString stepLabel(const Cell &cell, int column)
{
    return isCarry(cell) ? QStringLiteral("Übertrag aus der ") + columnName(column) : columnName(column);
}

// A hint names no digit that is a blank on screen: where the route needs one, it sends the
// pupil to the first of them ("Zehnerspalte: Finde zuerst die Ziffer des 2. Teilprodukts in
// der Zehnerstelle.") and highlights it.
std::optional<Hint> blankFirst(const Exercise &ex, const Route &route, const QString &label)
{
    for (const Cell &cell : route.inputs) {
        if (ex.isBlank(cell))
            return Hint{label + QStringLiteral(": Finde zuerst %1.").arg(digitName(ex.written(), cell)), {cell}};
    }
    return std::nullopt;
}

std::optional<Hint> blankFirst(const Exercise &ex, const Route &route)
{
    return blankFirst(ex, route, columnName(route.column));
}

// The blank the step on `cell` needs first, if any.
std::optional<Hint> blankFirstFor(const Exercise &ex, const Cell &cell)
{
    const Route route = routeOf(ex, cell);
    return blankFirst(ex, route, stepLabel(cell, route.column));
}

Hint ownDigit(const WrittenMultiplication &w, const Cell &cell)
{
    return {QStringLiteral("Die Ziffer ist %1.").arg(w.digit(cell)), {cell}};
}

// A missing multiplicand digit of a gap problem, worked backwards through its column.
// `worked`: the column worked out forwards.
Hint multiplicandHint(const Exercise &ex, const Cell &cell, bool worked)
{
    const WrittenMultiplication &w = ex.written();
    const Cell written = backwardsCell(w, cell);
    const Computation column = w.computation(written);
    if (worked)
        return {productSum(column) + QStringLiteral(": die Ziffer ist %1.").arg(column.x), productCells(ex, column)};
    const bool whole = writesWhole(w, cell, column);
    const QString plus = column.c > 0 ? QStringLiteral(" plus %1").arg(column.c) : QString();
    Hint hint;
    hint.text = columnName(column.column)
                + (whole ? QStringLiteral(": Welche Ziffer mal %1%2 ergibt %3?").arg(column.m).arg(plus).arg(column.value)
                         : QStringLiteral(": Welche Ziffer mal %1%2 endet auf %3?").arg(column.m).arg(plus).arg(column.digit));
    hint.cells = QList<Cell>{*column.multiplierDigit} + carryInCell(ex, column) + routeOf(ex, cell).inputs.mid(1);
    return hint;
}

// A missing multiplier digit of a gap problem, worked backwards through a column of its
// partial product whose digits stand on screen: the first where only one digit fits (its
// multiplicand digit 1, 3, 7 or 9), else the first. `worked`: the digit itself, which
// needs no other.
Hint multiplierHint(const Exercise &ex, const Cell &cell, bool worked)
{
    const WrittenMultiplication &w = ex.written();
    const int row = w.rowCount() - 1 - (cell.place - w.multiplierZeros());
    if (worked)
        return ownDigit(w, cell);
    if (cell.place < w.multiplierZeros() || row < 0)
        return {QStringLiteral("Die Zahl endet auf Null."), {cell}};
    const int t = w.trailingZeros(row);
    const auto routeAt = [&](int place) {
        return Route{place + t, {{Part::Multiplicand, 0, place}, {Part::PartialProduct, row, place + t}}};
    };
    std::optional<Route> chosen;
    for (int place = 0; place < w.multiplicandLength(); ++place) {
        const Route route = routeAt(place);
        if (blankFirst(ex, route))
            continue;
        const int x = w.digit(route.inputs.at(0));
        const bool oneAnswer = x % 2 == 1 && x != 5;
        if (!chosen || oneAnswer)
            chosen = route;
        if (oneAnswer)
            break;
    }
    if (!chosen)
        return *blankFirst(ex, routeAt(0));
    // The carry that comes in stands in its box, or is none in the first column.
    const Computation column = w.computation(chosen->inputs.at(1));
    const QString plus = column.c > 0 ? QStringLiteral(" plus %1").arg(column.c) : QString();
    return {columnName(column.column)
                + QStringLiteral(": Welche Ziffer mal %1%2 endet auf %3?").arg(column.x).arg(plus).arg(column.digit),
            QList<Cell>{chosen->inputs.at(0)} + carryInCell(ex, column) + QList<Cell>{chosen->inputs.at(1)}};
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

int KindSet::size() const
{
    int n = 0;
    for (quint16 bits = m_bits; bits != 0; bits &= quint16(bits - 1))
        ++n;
    return n;
}

QList<ErrorKind> KindSet::kinds() const
{
    QList<ErrorKind> list;
    for (ErrorKind kind : errorKinds()) {
        if (contains(kind))
            list << kind;
    }
    return list;
}

std::optional<ErrorKind> KindSet::first() const
{
    for (ErrorKind kind : errorKinds()) {
        if (contains(kind))
            return kind;
    }
    return std::nullopt;
}

std::array<quint16, errorKindCount> kindDigits(const Exercise &ex, const Cell &cell)
{
    std::array<quint16, errorKindCount> digits{};
    if (!ex.isShown(cell) || !isAnswerCell(cell))
        return digits;
    const WrittenMultiplication &w = ex.written();
    // The digit the display writes at `place` of the cell's line.
    const auto written = [&](int place) {
        Cell neighbour{cell.part, cell.row, place};
        if (cell.part != Part::Sum)
            neighbour.part = place < w.trailingZeros(cell.row) ? Part::Zero : Part::PartialProduct;
        return ex.isShown(neighbour) ? w.lineDigit(cell.part, cell.row, place) : std::nullopt;
    };
    const auto fits = [&](ErrorKind kind, std::optional<int> digit) {
        if (digit)
            digits[std::size_t(errorKindIndex(kind))] |= quint16(1u << mod10(*digit));
    };
    const Computation s = w.computation(cell);
    const bool resultDigit = s.rule == Rule::ProductDigit;
    const bool carry = s.rule == Rule::ProductCarry;
    const bool sumCarry = s.rule == Rule::SumCarry;
    const int xm = s.x * s.m;

    if (resultDigit) {
        if (s.c > 0) {
            fits(ErrorKind::CarryForgotten, xm % 10);
            fits(ErrorKind::CarryAddedTooEarly, (s.x + s.c) * s.m % 10);
        }
        if (s.value >= 10)
            fits(ErrorKind::TensForOnes, s.value / 10);
    }
    // A fact recalled as its neighbour in the table: (x ± 1)·m or x·(m ± 1), then the carry
    // added; its ones in a result digit, its tens in a carry.
    if (resultDigit || carry) {
        for (const int neighbour : {xm + s.m, xm - s.m, xm + s.x, xm - s.x}) {
            if (neighbour < 0 || neighbour == xm || (neighbour == xm - s.m && s.x == 0))
                continue;
            fits(ErrorKind::TimesTable, resultDigit ? neighbour + s.c : (neighbour + s.c) / 10);
        }
    }
    if (carry && s.c > 0 && xm / 10 != s.value / 10)
        fits(ErrorKind::CarryForgotten, xm / 10);
    // Who adds the carry before multiplying carries the tens of that product.
    if (carry && s.c > 0 && (s.x + s.c) * s.m < 100)
        fits(ErrorKind::CarryAddedTooEarly, (s.x + s.c) * s.m / 10);
    // A carry of a product row or of the addition: the ones written as the carry.
    if (carry || sumCarry)
        fits(ErrorKind::OnesAsCarry, s.value % 10);
    // A carry of the addition from the column added up without the carry that came in.
    if (sumCarry && s.c > 0 && (s.value - s.c) / 10 != s.value / 10)
        fits(ErrorKind::AdditionCarryForgotten, (s.value - s.c) / 10);
    if (cell.part == Part::Zero) {
        // The digit on its left, or the row's first digit: who leaves out every zero starts
        // with it in the first zero's place.
        fits(ErrorKind::ZeroForgotten, written(cell.place + 1));
        fits(ErrorKind::ZeroForgotten, written(w.trailingZeros(cell.row)));
    }
    if (cell.part == Part::PartialProduct || cell.part == Part::Sum) {
        fits(ErrorKind::PlaceShifted, written(cell.place - 1));
        fits(ErrorKind::PlaceShifted, written(cell.place + 1));
    }
    if (cell.part == Part::Sum && s.c > 0)
        fits(ErrorKind::AdditionCarryForgotten, s.value - s.c);

    // Without a carry box the carry is kept in the head, and a wrong one goes on.
    if ((resultDigit || carry) && cell.part == Part::PartialProduct) {
        const Cell box{Part::Carry, cell.row, w.trailingZeros(cell.row) + 1};
        if (!(ex.isField(box) && ex.isShown(box))) {
            const int column = cell.place - w.trailingZeros(cell.row);
            for (ErrorKind kind : {ErrorKind::CarryAddedTooEarly, ErrorKind::TensForOnes, ErrorKind::OnesAsCarry}) {
                // A carry of 10 or more is no digit to write.
                if (const int digit = chainedDigit(kind, w, cell.row, column); digit < 10)
                    fits(kind, digit);
            }
        }
    }

    // A right digit fits no kind.
    const quint16 right = quint16(1u << ex.expectedDigit(cell));
    for (quint16 &set : digits)
        set &= quint16(~right);
    return digits;
}

bool fitsErrorKind(ErrorKind kind, const Exercise &ex, const Cell &cell, int digit)
{
    return fittingKinds(ex, cell, digit).contains(kind);
}

KindSet fittingKinds(const Exercise &ex, const Cell &cell, int digit)
{
    KindSet kinds;
    if (digit < 0 || digit > 9)
        return kinds;
    const std::array<quint16, errorKindCount> digits = kindDigits(ex, cell);
    for (ErrorKind kind : errorKinds()) {
        if (digits[std::size_t(errorKindIndex(kind))] & (1u << digit))
            kinds.insert(kind);
    }
    return kinds;
}

KindSet possibleKinds(const Exercise &ex, const Cell &cell)
{
    KindSet kinds;
    const std::array<quint16, errorKindCount> digits = kindDigits(ex, cell);
    for (ErrorKind kind : errorKinds()) {
        if (digits[std::size_t(errorKindIndex(kind))] != 0)
            kinds.insert(kind);
    }
    return kinds;
}

std::optional<ErrorKind> diagnose(const Exercise &ex, const Cell &cell, int digit)
{
    return fittingKinds(ex, cell, digit).first();
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

QString placeName(int place)
{
    const QString word = placeWord(place);
    return word.isEmpty() ? word : word + QStringLiteral("stelle");
}

Hint stepHint(const Exercise &ex, const Cell &cell, std::optional<ErrorKind> kind)
{
    if (isEstimate(cell))
        return estimateStepHint(ex, cell);
    if (cell.part == Part::Multiplier)
        return multiplierHint(ex, cell, false);
    if (std::optional<Hint> first = blankFirstFor(ex, cell)) {
        if (kind)
            first->text += QLatin1Char(' ') + errorKindQuestion(*kind);
        return *first;
    }
    if (cell.part == Part::Multiplicand)
        return multiplicandHint(ex, cell, false);
    const WrittenMultiplication &w = ex.written();
    const Computation step = w.computation(cell);
    Hint hint;
    QString what;
    switch (step.rule) {
    case Rule::Given:
    case Rule::Estimate:
        break;
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
            what += keepTheTens();
        else if (step.rule == Rule::ProductCarry)
            what += QStringLiteral(" Der Zehner kommt nach vorn.");
        hint.cells = productCells(ex, step);
        break;
    case Rule::SumDigit:
    case Rule::SumCarry: {
        const QList<Cell> addends = writtenAddends(ex, step);
        if (addends.isEmpty())
            what = QStringLiteral("Hier kommt nur der Übertrag an.");
        else if (addends.size() == 1 && step.c == 0)
            what = QStringLiteral("Hier steht nur eine Ziffer darüber.");
        else {
            QStringList digits;
            for (const Cell &addend : addends)
                digits << QString::number(w.digit(addend));
            what = addends.size() == 1
                       ? QStringLiteral("Nimm die %1%2.").arg(digits.first(), withAdditionCarry(ex, step))
                       : QStringLiteral("Addiere %1%2.").arg(digits.join(QStringLiteral(" + ")),
                                                             withAdditionCarry(ex, step));
        }
        if (step.rule == Rule::SumCarry)
            what += keepTheTens();
        hint.cells = additionCells(ex, step);
        break;
    }
    }
    hint.text = stepLabel(cell, step.column) + QStringLiteral(": ") + what;
    if (kind)
        hint.text += QLatin1Char(' ') + errorKindQuestion(*kind);
    return hint;
}

Hint workedHint(const Exercise &ex, const Cell &cell)
{
    if (isEstimate(cell))
        return estimateWorkedHint(ex, cell);
    if (cell.part == Part::Multiplier)
        return multiplierHint(ex, cell, true);
    const WrittenMultiplication &w = ex.written();
    if (std::optional<Hint> first = blankFirstFor(ex, cell)) {
        // A given digit the pupil knocked out gets its digit back: two knocked-out digits
        // whose steps need each other would otherwise send the pupil round in a circle.
        return ex.isGiven(cell) ? ownDigit(w, cell) : *first;
    }
    if (cell.part == Part::Multiplicand)
        return multiplicandHint(ex, cell, true);
    const Computation step = w.computation(cell);
    switch (step.rule) {
    case Rule::Given:
    case Rule::Estimate:
        break;
    case Rule::Zero:
        return {QStringLiteral("Du rechnest mal %1: schreibe 0.").arg(rowMultiplier(w, cell.row)),
                multiplierCellsOfRow(w, cell.row)};
    case Rule::ProductDigit:
    case Rule::ProductCarry:
        return {productSum(step) + writeAndKeep(step.value, isLastColumn(w, cell, step), isCarry(cell)),
                productCells(ex, step)};
    case Rule::SumDigit:
    case Rule::SumCarry:
        return {additionSum(ex, step, stepLabel(cell, step.column)) + writeAndKeep(step.value, isLastSumColumn(w, step), isCarry(cell)),
                additionCells(ex, step)};
    }
    return {};
}
