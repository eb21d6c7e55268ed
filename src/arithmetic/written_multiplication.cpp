#include "arithmetic/written_multiplication.h"

#include <algorithm>
#include <utility>

qint64 powerOfTen(int exponent)
{
    qint64 value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

int digitAt(qint64 value, int place)
{
    return int(value / powerOfTen(place) % 10);
}

int digitCount(qint64 value)
{
    int count = 1;
    while (value >= 10) {
        value /= 10;
        ++count;
    }
    return count;
}

WrittenMultiplication::WrittenMultiplication(qint64 multiplicand, QList<int> multiplierDigits,
                                             int zeros)
    : m_multiplicand(multiplicand), m_digits(std::move(multiplierDigits)), m_zeros(zeros)
{
}

qint64 WrittenMultiplication::multiplier() const
{
    qint64 value = 0;
    for (int d : m_digits)
        value = value * 10 + d;
    return value * powerOfTen(m_zeros);
}

int WrittenMultiplication::multiplicandLength() const
{
    return digitCount(m_multiplicand);
}

int WrittenMultiplication::multiplicandDigit(int place) const
{
    return digitAt(m_multiplicand, place);
}

qint64 WrittenMultiplication::partialProduct(int row) const
{
    return m_multiplicand * m_digits.value(row) * powerOfTen(trailingZeros(row));
}

qint64 WrittenMultiplication::product() const
{
    return m_multiplicand * multiplier();
}

// Places of partial product `row`, its zeros included.
int WrittenMultiplication::partialLength(int row) const
{
    return trailingZeros(row) + digitCount(m_multiplicand * m_digits.value(row));
}

int WrittenMultiplication::sumLength() const
{
    return digitCount(product());
}

int WrittenMultiplication::width() const
{
    int widest = hasSum() ? sumLength() : 0;
    for (int r = 0; r < rowCount(); ++r)
        widest = std::max(widest, partialLength(r));
    return widest;
}

std::pair<int, int> WrittenMultiplication::places(Part part, int row) const
{
    switch (part) {
    case Part::Multiplicand:
        return {0, multiplicandLength()};
    case Part::Multiplier:
        return {0, rowCount() + m_zeros};
    case Part::Carry:
        // Into every column of the multiplicand but the first; what the last column
        // carries out is the partial product's leading digit.
        return {trailingZeros(row) + 1, trailingZeros(row) + multiplicandLength()};
    case Part::PartialProduct:
        return {trailingZeros(row), partialLength(row)};
    case Part::Zero:
        return {0, trailingZeros(row)};
    case Part::SumCarry:
        return hasSum() ? std::pair{1, sumLength()} : std::pair{0, 0};
    case Part::Sum:
        return hasSum() ? std::pair{0, sumLength()} : std::pair{0, 0};
    }
    return {0, 0};
}

QList<Cell> WrittenMultiplication::cells(Part part, int row) const
{
    QList<Cell> list;
    const auto [from, to] = places(part, row);
    for (int p = from; p < to; ++p)
        list.append({part, row, p});
    return list;
}

QList<Cell> WrittenMultiplication::cells() const
{
    QList<Cell> list = cells(Part::Multiplicand) + cells(Part::Multiplier);
    for (int r = 0; r < rowCount(); ++r)
        list += cells(Part::Carry, r);
    for (int r = 0; r < rowCount(); ++r)
        list += cells(Part::Zero, r) + cells(Part::PartialProduct, r);
    list += cells(Part::SumCarry) + cells(Part::Sum);
    return list;
}

bool WrittenMultiplication::contains(const Cell &cell) const
{
    const bool rowed = cell.part == Part::Carry || cell.part == Part::PartialProduct
                       || cell.part == Part::Zero;
    if (rowed ? (cell.row < 0 || cell.row >= rowCount()) : cell.row != 0)
        return false;
    const auto [from, to] = places(cell.part, cell.row);
    return cell.place >= from && cell.place < to;
}

int WrittenMultiplication::carryInto(int row, int place) const
{
    const int m = m_digits.value(row);
    int carry = 0;
    for (int i = 0; i < place - trailingZeros(row); ++i)
        carry = (multiplicandDigit(i) * m + carry) / 10;
    return carry;
}

int WrittenMultiplication::columnSum(int place) const
{
    int total = 0;
    for (int r = 0; r < rowCount(); ++r)
        total += digitAt(partialProduct(r), place);
    return total;
}

int WrittenMultiplication::sumCarryInto(int place) const
{
    int carry = 0;
    for (int p = 0; p < place; ++p)
        carry = (columnSum(p) + carry) / 10;
    return carry;
}

std::optional<int> WrittenMultiplication::lineDigit(Part part, int row, int place) const
{
    if (place < 0)
        return std::nullopt;
    if (part == Part::PartialProduct || part == Part::Zero) {
        if (row < 0 || row >= rowCount() || place >= partialLength(row))
            return std::nullopt;
        return digitAt(partialProduct(row), place);
    }
    if (part == Part::Sum && hasSum() && place < sumLength())
        return digitAt(product(), place);
    return std::nullopt;
}

int WrittenMultiplication::digit(const Cell &cell) const
{
    switch (cell.part) {
    case Part::Multiplicand: return multiplicandDigit(cell.place);
    case Part::Multiplier: return digitAt(multiplier(), cell.place);
    case Part::Carry: return carryInto(cell.row, cell.place);
    case Part::PartialProduct: return digitAt(partialProduct(cell.row), cell.place);
    case Part::Zero: return 0;
    case Part::SumCarry: return sumCarryInto(cell.place);
    case Part::Sum: return digitAt(product(), cell.place);
    }
    return 0;
}

bool WrittenMultiplication::isShown(const Cell &cell, WrittenDisplay display) const
{
    return contains(cell) && !(cell.part == Part::Zero && display == WrittenDisplay::Staircase);
}

Computation WrittenMultiplication::computation(const Cell &cell) const
{
    Computation step;
    step.digit = digit(cell);
    step.value = step.digit;
    step.column = cell.place;

    // The multiplication step of partial product `row` in column `column`.
    auto multiply = [&](int row, int column) {
        const int t = trailingZeros(row);
        step.column = column;
        step.multiplicandDigit = Cell{Part::Multiplicand, 0, column - t};
        step.multiplierDigit = Cell{Part::Multiplier, 0, rowCount() - 1 - row + m_zeros};
        if (column > t)
            step.carryIn = Cell{Part::Carry, row, column};
        step.x = multiplicandDigit(column - t);
        step.m = m_digits.value(row);
        step.c = carryInto(row, column);
        step.value = step.x * step.m + step.c;
    };
    // The addition of column `column`.
    auto add = [&](int column) {
        step.column = column;
        for (int r = 0; r < rowCount(); ++r) {
            if (column < trailingZeros(r))
                step.addends.append({Part::Zero, r, column});
            else if (column < partialLength(r))
                step.addends.append({Part::PartialProduct, r, column});
        }
        if (column > 0)
            step.carryIn = Cell{Part::SumCarry, 0, column};
        step.c = sumCarryInto(column);
        step.value = columnSum(column) + step.c;
    };

    switch (cell.part) {
    case Part::Multiplicand:
    case Part::Multiplier:
        step.rule = Computation::Rule::Given;
        break;
    case Part::Zero:
        step.rule = Computation::Rule::Zero;
        break;
    case Part::Carry:
        step.rule = Computation::Rule::ProductCarry;
        multiply(cell.row, cell.place - 1);
        break;
    case Part::PartialProduct:
        if (cell.place - trailingZeros(cell.row) < multiplicandLength()) {
            step.rule = Computation::Rule::ProductDigit;
            multiply(cell.row, cell.place);
        } else {
            // The leading digit: what the last column carries out.
            step.rule = Computation::Rule::ProductCarry;
            multiply(cell.row, cell.place - 1);
        }
        break;
    case Part::SumCarry:
        step.rule = Computation::Rule::SumCarry;
        add(cell.place - 1);
        break;
    case Part::Sum:
        step.rule = Computation::Rule::SumDigit;
        add(cell.place);
        break;
    }
    return step;
}
