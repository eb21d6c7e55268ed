#pragma once

#include "arithmetic/written_multiplication.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

size_t qHash(const Cell &cell, size_t seed = 0) noexcept;

// One problem as the pupil works it: a written multiplication, the cells that take a
// dropped digit (in the order a pupil writes them) and the digits standing on them.
//
// A single problem gives the operands and leaves every field empty. A gap problem gives
// the whole computation and leaves only its blanks empty; its given digits are fields
// too where a trainer lets them take a drop, so a wrong drop can knock one out.
//
// A single problem may start with the Überschlag: its digits (estimateLine()) come first in
// written order, and a digit of it that is no field (a one-digit multiplier, which stays as
// written) is given.
class Exercise
{
public:
    enum class Verdict { Right, Wrong };

    static Exercise single(const WrittenMultiplication &written, QList<Cell> fields,
                           WrittenDisplay display = WrittenDisplay::Flush);
    // `blanks` are fields; every other field starts with its digit.
    static Exercise gap(const WrittenMultiplication &written, QList<Cell> fields, QList<Cell> blanks,
                        WrittenDisplay display = WrittenDisplay::Flush);

    const WrittenMultiplication &written() const { return m_written; }
    bool isGap() const { return m_gap; }
    // The same single problem, starting with the Überschlag. Precondition: a single problem,
    // nothing written yet.
    Exercise withEstimate() const;
    // The problem asks for the Überschlag.
    bool hasEstimate() const { return m_estimate; }
    // Every digit of the Überschlag stands right.
    bool isEstimateWritten() const;
    // Fields in written order.
    const QList<Cell> &fields() const { return m_fields; }
    // The fields a gap problem leaves empty when it is dealt, in the order it lists them.
    const QList<Cell> &blanks() const { return m_blanks; }
    bool isField(const Cell &cell) const { return m_fields.contains(cell); }

    WrittenDisplay display() const { return m_display; }
    void setDisplay(WrittenDisplay display) { m_display = display; }
    // The display writes the cell; the staircase leaves out the zeros of the partial products,
    // and the Überschlag stands only where the problem asks for it.
    bool isShown(const Cell &cell) const
    {
        return m_written.isShown(cell, m_display) && (m_estimate || !isEstimate(cell));
    }

    // The digit a cell shows now: a field what stands on it, another cell its digit if
    // the problem gives it (the operands; a gap problem everything), else nothing.
    std::optional<int> shownDigit(const Cell &cell) const;
    // The digit a field must hold: its digit in the written multiplication, whatever the
    // other fields hold. So a carry box takes the true carry of its column (0 included)
    // whether the boxes to its right are filled or not; the check, the hints and the
    // diagnosis all ask this one rule.
    int expectedDigit(const Cell &field) const;
    // The cell is a field on screen with nothing on it: left empty, or knocked out by a
    // wrong drop.
    bool isBlank(const Cell &cell) const;
    // The problem gives the cell's digit: an operand, or in a gap problem every cell but its
    // blanks (a given field may still be knocked out); in the Überschlag what is no field.
    bool isGiven(const Cell &cell) const;
    // The orange frame may rest on the field: every field but a carry box whose carry is 0,
    // which an exercise book leaves empty (a 0 dropped there is still right).
    bool takesFrame(const Cell &field) const;

    // A drop on a field: a digit is written there, nothing (a drop of anything but a
    // digit key) leaves the field as it is; then the field is checked. A wrong field is
    // emptied. Precondition: isField(cell).
    Verdict drop(const Cell &field, std::optional<int> digit);

    // Every shown field holds its digit: nothing on screen is left empty, whether the
    // pupil has not written it yet or a wrong drop knocked it out, the Überschlag included.
    // Carries (of the partial products and of the addition) are optional.
    bool isSolved() const;

    // "5123 · 47", a gap problem with " (Lücke)".
    QString problemText() const;

private:
    Exercise(const WrittenMultiplication &written, bool gap, QList<Cell> fields, QList<Cell> blanks,
             WrittenDisplay display);

    WrittenMultiplication m_written;
    bool m_gap;
    QList<Cell> m_fields;
    QList<Cell> m_blanks;
    WrittenDisplay m_display;
    bool m_estimate = false;
    QHash<Cell, int> m_entries;
};

// How many fillings of `blanks` make a right computation with the other digits of its
// lines standing: the operands and the partial products and sum (the carries aside).
// A gap problem is fair only when this is 1.
int gapSolutionCount(const WrittenMultiplication &written, const QList<Cell> &blanks);
