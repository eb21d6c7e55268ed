#pragma once

#include "arithmetic/written_multiplication.h"

#include <QList>
#include <QStringList>

#include <optional>

// A written multiplication worked out on plain integers, column by column as a pupil does it
// on paper, without the program's model: the digits tests check the program against.
// Partial product `row` belongs to multiplier digit `row` (the highest first) and ends in
// zerosOf(row) zeros; places count from the ones (0) as in a Cell.
class Schoolbook
{
public:
    Schoolbook(qint64 multiplicand, const QList<int> &multiplierDigits, int zeros = 0);

    int rows() const { return int(m_digits.size()); }
    // The digits of the multiplicand.
    int length() const { return int(m_x.size()); }
    int multiplicandDigit(int place) const { return m_x.value(place); }
    int multiplierDigit(int row) const { return m_digits.value(row); }
    // The place of multiplier digit `row` in the multiplier as written.
    int multiplierPlace(int row) const { return rows() - 1 - row + m_zeros; }
    int multiplierZeros() const { return m_zeros; }
    int zerosOf(int row) const { return m_zeros + rows() - 1 - row; }
    // The carry into column `i` of the multiplicand when it is multiplied for `row` (0 into
    // the ones); i = length() is what the last column carries out.
    int carryInto(int row, int i) const { return m_carries.value(row).value(i); }
    qint64 multiplicand() const { return m_multiplicand; }
    // The multiplier as written, its zeros included.
    qint64 multiplier() const;
    // Partial product `row` with its zeros, and the sum of them all.
    qint64 rowValue(int row) const;
    qint64 total() const;
    int sumLength() const;
    // The digits standing over column `place` of the addition, from the first partial product
    // down; flush with the zeros of the partial products, the staircase without them.
    QList<Cell> addendsOf(int place, WrittenDisplay display) const;
    // The digits a pupil needs to add up column `place`: those over it and the carry into it.
    // A carry that stands over the rule (`carryWritten`) is read off; one not written is
    // worked out from the columns to the right, so their digits are needed too.
    QList<Cell> additionInputs(int place, WrittenDisplay display, bool carryWritten) const;
    int columnSum(int place) const;
    int sumCarryInto(int place) const;

    // The digit of `cell`, or nothing where the written multiplication has no such place.
    std::optional<int> digit(const Cell &cell) const;

    // The digit of `value` at `place`, nothing past its first digit.
    static std::optional<int> digitOf(qint64 value, int place);
    // The Überschlag: `value` rounded to its first digit as a pupil does it, by the digit
    // after it (5 and more up), and the product of the rounded operands.
    static qint64 rounded(qint64 value);
    qint64 estimate() const;

private:
    qint64 m_multiplicand;
    QList<int> m_digits;
    int m_zeros;
    QList<int> m_x;                // ones first
    QList<QList<int>> m_carries;   // per row, into columns 0..length()
};

// The error kinds whose definitions `digit`, wrong on `cell`, fits, in the order the
// program tries them (by their names): worked out from the schoolbook digits. Under the
// staircase the zeros of the partial products are not written: no place to fill, no
// neighbour to slip into. `carryBoxes`: the trainer has boxes for the carries of its product
// rows; without them a child keeps its own carries in mind, and a carry mistake goes on.
QStringList fittingKinds(const Schoolbook &book, WrittenDisplay display, const Cell &cell, int digit,
                         bool carryBoxes);
