#pragma once

#include <QList>
#include <QtGlobal>

#include <optional>
#include <utility>

// What a place of a written multiplication belongs to.
//   Multiplicand, Multiplier: the operands on the first line (row 0).
//   PartialProduct: the digits of the product of the multiplicand with multiplier digit
//     `row` (row 0 = the highest digit), written from the place of that digit leftwards.
//   Zero: the zeros a partial product carries to the right of its digits in the flush
//     display (the staircase leaves them out).
//   Carry: the carry of partial product `row` that goes into column `place`.
//   Sum, SumCarry (row 0): the sum of the partial products and the carries of adding them
//     up; a multiplication with one multiplier digit has neither, its partial product is
//     the result.
enum class Part { Multiplicand, Multiplier, Carry, PartialProduct, SumCarry, Sum, Zero };

// One place of the written multiplication; `place` is the power of ten (0 = ones) in the
// column layout, where every line is right-aligned on the multiplier's last digit.
struct Cell
{
    Part part = Part::Multiplicand;
    int row = 0;
    int place = 0;

    friend bool operator==(const Cell &a, const Cell &b)
    {
        return a.part == b.part && a.row == b.row && a.place == b.place;
    }
    friend bool operator!=(const Cell &a, const Cell &b) { return !(a == b); }
};

// A carry of a partial product or of the addition: the tens of the column to its right.
inline bool isCarry(const Cell &cell)
{
    return cell.part == Part::Carry || cell.part == Part::SumCarry;
}

// How partial products of the higher multiplier digits are written: right-aligned with
// the sum, ending in their zeros, or as a staircase under their multiplier digit with the
// zeros left out.
enum class WrittenDisplay { Flush, Staircase };

// How the digit of a cell comes about.
struct Computation
{
    enum class Rule {
        Given,        // an operand digit, or a zero of the multiplier
        Zero,         // a zero at the end of a partial product
        ProductDigit, // the ones of x·m + c
        ProductCarry, // the tens of x·m + c (a carry, or the leading digit of a partial product)
        SumDigit,     // the ones of a column sum
        SumCarry,     // the tens of a column sum
    };

    Rule rule = Rule::Given;
    int column = 0; // the place of the column worked out
    // A multiplication step: the multiplicand digit x, the multiplier digit m and the carry c
    // that came in from the column to the right (absent in the first column).
    std::optional<Cell> multiplicandDigit;
    std::optional<Cell> multiplierDigit;
    // The carry that came in, for a multiplication step or an addition.
    std::optional<Cell> carryIn;
    // An addition: the digits of the partial products in the column (their zeros included).
    QList<Cell> addends;
    int x = 0, m = 0, c = 0;
    // x·m + c, or the column sum with its carry.
    int value = 0;
    int digit = 0;
};

// A written multiplication of a multiplicand by a multiplier of one, two or three digits.
// A one-digit multiplier may be followed by zeros (a tens or hundreds number): its one
// partial product is then shifted and ends in those zeros.
class WrittenMultiplication
{
public:
    // `multiplierDigits` highest first; `zeros` the zeros written after them.
    WrittenMultiplication(qint64 multiplicand, QList<int> multiplierDigits, int zeros = 0);

    qint64 multiplicand() const { return m_multiplicand; }
    // The multiplier with its zeros.
    qint64 multiplier() const;
    const QList<int> &multiplierDigits() const { return m_digits; }
    int multiplierZeros() const { return m_zeros; }
    int rowCount() const { return int(m_digits.size()); }
    bool hasSum() const { return rowCount() > 1; }

    int multiplicandLength() const;
    // The zeros at the end of partial product `row`.
    int trailingZeros(int row) const { return m_zeros + rowCount() - 1 - row; }
    // Partial product `row` with its zeros.
    qint64 partialProduct(int row) const;
    qint64 product() const;
    // The number of places of the widest line (the result).
    int width() const;

    // Every cell of the written multiplication, line by line, each line from place 0 up.
    QList<Cell> cells() const;
    QList<Cell> cells(Part part, int row = 0) const;
    bool contains(const Cell &cell) const;
    // Precondition: contains(cell).
    int digit(const Cell &cell) const;
    Computation computation(const Cell &cell) const;
    // The digit expected at `place` of the line of `row` (its zeros included): a partial
    // product for PartialProduct and Zero, the sum for Sum; nothing past the line's ends.
    std::optional<int> lineDigit(Part part, int row, int place) const;
    bool isShown(const Cell &cell, WrittenDisplay display) const;

    // The carry of partial product `row` into column `place` (0 at its first column).
    int carryInto(int row, int place) const;
    // The carry of the addition into column `place`.
    int sumCarryInto(int place) const;
    // The digits of all partial products in column `place` added up, without the carry.
    int columnSum(int place) const;

private:
    // The places of a line: from `first` up to, not including, `second`.
    std::pair<int, int> places(Part part, int row) const;
    int multiplicandDigit(int place) const;
    int partialLength(int row) const;
    int sumLength() const;

    qint64 m_multiplicand;
    QList<int> m_digits;
    int m_zeros;
};

// 10 to the power `exponent`.
qint64 powerOfTen(int exponent);
// The digit of `value` at `place` (0 = ones).
int digitAt(qint64 value, int place);
// The number of decimal digits of `value` (1 for 0).
int digitCount(qint64 value);
