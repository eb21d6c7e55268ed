#include "schoolbook.h"

#include "training/diagnosis.h"

Schoolbook::Schoolbook(qint64 multiplicand, const QList<int> &multiplierDigits, int zeros)
    : m_multiplicand(multiplicand), m_digits(multiplierDigits), m_zeros(zeros)
{
    for (qint64 n = multiplicand; n > 0; n /= 10)
        m_x << int(n % 10);
    for (int m : m_digits) {
        QList<int> carries{0};
        for (int i = 0; i < length(); ++i)
            carries << (m_x.at(i) * m + carries.at(i)) / 10;
        m_carries << carries;
    }
}

std::optional<int> Schoolbook::digitOf(qint64 value, int place)
{
    qint64 power = 1;
    for (int i = 0; i < place; ++i)
        power *= 10;
    if (place < 0 || (value < power && !(value == 0 && place == 0)))
        return std::nullopt;
    return int(value / power % 10);
}

qint64 Schoolbook::rowValue(int row) const
{
    qint64 value = m_multiplicand * m_digits.value(row);
    for (int i = 0; i < zerosOf(row); ++i)
        value *= 10;
    return value;
}

qint64 Schoolbook::total() const
{
    qint64 sum = 0;
    for (int r = 0; r < rows(); ++r)
        sum += rowValue(r);
    return sum;
}

int Schoolbook::sumLength() const
{
    int places = 0;
    while (digitOf(total(), places))
        ++places;
    return places;
}

QList<Cell> Schoolbook::addendsOf(int place, WrittenDisplay display) const
{
    QList<Cell> cells;
    for (int r = 0; r < rows(); ++r) {
        if (place < zerosOf(r)) {
            if (display == WrittenDisplay::Flush)
                cells << Cell{Part::Zero, r, place};
        } else if (digitOf(rowValue(r), place)) {
            cells << Cell{Part::PartialProduct, r, place};
        }
    }
    return cells;
}

QList<Cell> Schoolbook::additionInputs(int place, WrittenDisplay display, bool carryWritten) const
{
    if (carryWritten)
        return addendsOf(place, display);
    QList<Cell> cells;
    for (int p = 0; p <= place; ++p)
        cells += addendsOf(p, display);
    return cells;
}

int Schoolbook::columnSum(int place) const
{
    int sum = 0;
    for (int r = 0; r < rows(); ++r)
        sum += digitOf(rowValue(r), place).value_or(0);
    return sum;
}

int Schoolbook::sumCarryInto(int place) const
{
    int carry = 0;
    for (int p = 0; p < place; ++p)
        carry = (columnSum(p) + carry) / 10;
    return carry;
}

qint64 Schoolbook::rounded(qint64 value)
{
    const QString digits = QString::number(value);
    if (digits.size() < 2)
        return value;
    qint64 first = digits.left(1).toLongLong() + (digits.at(1).digitValue() >= 5 ? 1 : 0);
    for (qsizetype i = 1; i < digits.size(); ++i)
        first *= 10;
    return first;
}

qint64 Schoolbook::multiplier() const
{
    qint64 value = 0;
    for (int d : m_digits)
        value = value * 10 + d;
    for (int i = 0; i < m_zeros; ++i)
        value *= 10;
    return value;
}

qint64 Schoolbook::estimate() const
{
    return rounded(m_multiplicand) * rounded(multiplier());
}

std::optional<int> Schoolbook::digit(const Cell &cell) const
{
    const bool sum = rows() > 1;
    const int row = cell.row;
    const bool rowed = row >= 0 && row < rows();
    switch (cell.part) {
    case Part::Multiplicand:
        return row == 0 && cell.place >= 0 && cell.place < length() ? std::optional<int>(m_x.at(cell.place))
                                                                    : std::nullopt;
    case Part::Multiplier:
        if (row != 0 || cell.place < 0 || cell.place >= rows() + m_zeros)
            return std::nullopt;
        return cell.place < m_zeros ? 0 : m_digits.at(rows() - 1 - (cell.place - m_zeros));
    case Part::Carry: {
        const int i = cell.place - zerosOf(row);
        return rowed && i >= 1 && i < length() ? std::optional<int>(carryInto(row, i)) : std::nullopt;
    }
    case Part::PartialProduct:
        return rowed && cell.place >= zerosOf(row) ? digitOf(rowValue(row), cell.place) : std::nullopt;
    case Part::Zero:
        return rowed && cell.place >= 0 && cell.place < zerosOf(row) ? std::optional<int>(0) : std::nullopt;
    case Part::SumCarry:
        return sum && row == 0 && cell.place >= 1 && cell.place < sumLength()
                   ? std::optional<int>(sumCarryInto(cell.place))
                   : std::nullopt;
    case Part::Sum:
        return sum && row == 0 ? digitOf(total(), cell.place) : std::nullopt;
    case Part::RoundedMultiplicand:
        return row == 0 ? digitOf(rounded(m_multiplicand), cell.place) : std::nullopt;
    case Part::RoundedMultiplier:
        return row == 0 ? digitOf(rounded(multiplier()), cell.place) : std::nullopt;
    case Part::Estimate:
        return row == 0 ? digitOf(estimate(), cell.place) : std::nullopt;
    }
    return std::nullopt;
}

QStringList fittingKinds(const Schoolbook &book, WrittenDisplay display, const Cell &cell, int digit, bool carryBoxes)
{
    const bool staircase = display == WrittenDisplay::Staircase;
    if (!book.digit(cell) || *book.digit(cell) == digit || (staircase && cell.part == Part::Zero))
        return {};
    QStringList kinds;
    auto fit = [&](ErrorKind kind, bool holds) {
        if (holds && !kinds.contains(errorKindName(kind)))
            kinds << errorKindName(kind);
    };
    auto resultDigitKinds = [&](int x, int m, int c) {
        const int s = x * m + c;
        fit(ErrorKind::CarryForgotten, c > 0 && digit == x * m % 10);
        fit(ErrorKind::CarryAddedTooEarly, c > 0 && digit == (x + c) * m % 10);
        fit(ErrorKind::TensForOnes, s >= 10 && digit == s / 10);
        for (const int neighbour : {(x - 1) * m, (x + 1) * m, x * (m - 1), x * (m + 1)})
            fit(ErrorKind::TimesTable, neighbour >= 0 && neighbour != x * m && digit == (neighbour + c) % 10);
    };
    auto carryKinds = [&](int x, int m, int c) {
        const int s = x * m + c;
        fit(ErrorKind::CarryForgotten, c > 0 && digit == x * m / 10 && x * m / 10 != s / 10);
        fit(ErrorKind::CarryAddedTooEarly, c > 0 && (x + c) * m < 100 && digit == (x + c) * m / 10);
        fit(ErrorKind::OnesAsCarry, digit == s % 10);
        for (const int neighbour : {(x - 1) * m, (x + 1) * m, x * (m - 1), x * (m + 1)})
            fit(ErrorKind::TimesTable, neighbour >= 0 && neighbour != x * m && digit == (neighbour + c) / 10);
    };
    // Without carry boxes a child keeps its own wrong carry in mind: the digit of each column
    // as a child who always makes the mistake writes it, the leading digit its last carry.
    auto chained = [&](ErrorKind kind, int row, int column) {
        const int m = book.multiplierDigit(row);
        int c = 0;
        for (int i = 0; i < book.length(); ++i) {
            const int x = book.multiplicandDigit(i);
            int written = 0, kept = 0;
            if (kind == ErrorKind::CarryAddedTooEarly) {
                written = (x + c) * m % 10;
                kept = (x + c) * m / 10;
            } else if (kind == ErrorKind::TensForOnes) {
                const int s = x * m + c;
                written = s >= 10 ? s / 10 : s;
                kept = s >= 10 ? s % 10 : 0;
            } else {
                const int s = x * m + c;
                written = s % 10;
                kept = s % 10;
            }
            if (i == column)
                return written;
            c = kept;
        }
        return c;
    };

    if (cell.part == Part::Carry || cell.part == Part::PartialProduct) {
        const int m = book.multiplierDigit(cell.row);
        const int n = book.length();
        const int column = cell.place - book.zerosOf(cell.row) - (cell.part == Part::Carry ? 1 : 0);
        const auto x = [&](int i) { return book.multiplicandDigit(i); };
        if (cell.part == Part::Carry)
            carryKinds(x(column), m, book.carryInto(cell.row, column));
        else if (column < n)
            resultDigitKinds(x(column), m, book.carryInto(cell.row, column));
        else
            carryKinds(x(n - 1), m, book.carryInto(cell.row, n - 1));
        if (cell.part == Part::PartialProduct && !carryBoxes) {
            for (ErrorKind kind : {ErrorKind::CarryAddedTooEarly, ErrorKind::TensForOnes, ErrorKind::OnesAsCarry})
                fit(kind, chained(kind, cell.row, column) == digit);
        }
    }
    if (cell.part == Part::Zero)
        fit(ErrorKind::ZeroForgotten, Schoolbook::digitOf(book.rowValue(cell.row), cell.place + 1) == digit
                                          || Schoolbook::digitOf(book.rowValue(cell.row), book.zerosOf(cell.row)) == digit);
    if (cell.part == Part::PartialProduct || cell.part == Part::Sum) {
        const qint64 line = cell.part == Part::Sum ? book.total() : book.rowValue(cell.row);
        const int unwritten = staircase && cell.part != Part::Sum ? book.zerosOf(cell.row) : 0;
        const auto written = [&](int place) {
            return place < unwritten ? std::nullopt : Schoolbook::digitOf(line, place);
        };
        fit(ErrorKind::PlaceShifted, written(cell.place - 1) == digit || written(cell.place + 1) == digit);
    }
    if (cell.part == Part::Sum) {
        fit(ErrorKind::AdditionCarryForgotten,
            book.sumCarryInto(cell.place) > 0 && digit == book.columnSum(cell.place) % 10);
    }
    if (cell.part == Part::SumCarry) {
        // The column to its right, added up with and without the carry that came into it.
        const int column = cell.place - 1;
        const int without = book.columnSum(column);
        const int with = without + book.sumCarryInto(column);
        fit(ErrorKind::OnesAsCarry, digit == with % 10);
        fit(ErrorKind::AdditionCarryForgotten, without != with && digit == without / 10 && without / 10 != with / 10);
    }
    // The order the program tries them in.
    QStringList ordered;
    for (ErrorKind kind : errorKinds()) {
        if (kinds.contains(errorKindName(kind)))
            ordered << errorKindName(kind);
    }
    return ordered;
}
