#include "training/exercise.h"

#include <algorithm>

size_t qHash(const Cell &cell, size_t seed) noexcept
{
    return qHashMulti(seed, int(cell.part), cell.row, cell.place);
}

Exercise::Exercise(const WrittenMultiplication &written, bool gap, QList<Cell> fields,
                   QList<Cell> blanks, WrittenDisplay display)
    : m_written(written)
    , m_gap(gap)
    , m_fields(std::move(fields))
    , m_blanks(std::move(blanks))
    , m_display(display)
    , m_estimate(std::any_of(m_fields.cbegin(), m_fields.cend(), isEstimate))
{
    if (!m_gap)
        return;
    for (const Cell &field : std::as_const(m_fields)) {
        if (!m_blanks.contains(field) && m_written.contains(field))
            m_entries.insert(field, m_written.digit(field));
    }
}

Exercise Exercise::single(const WrittenMultiplication &written, QList<Cell> fields,
                          WrittenDisplay display)
{
    return Exercise(written, false, std::move(fields), {}, display);
}

Exercise Exercise::gap(const WrittenMultiplication &written, QList<Cell> fields, QList<Cell> blanks,
                       WrittenDisplay display)
{
    return Exercise(written, true, std::move(fields), std::move(blanks), display);
}

std::optional<int> Exercise::shownDigit(const Cell &cell) const
{
    if (isField(cell)) {
        const auto it = m_entries.constFind(cell);
        return it == m_entries.cend() ? std::nullopt : std::optional<int>(*it);
    }
    if (isGiven(cell) && m_written.contains(cell))
        return m_written.digit(cell);
    return std::nullopt;
}

bool Exercise::isGiven(const Cell &cell) const
{
    if (m_gap)
        return !m_blanks.contains(cell);
    if (isEstimate(cell))
        return m_estimate && !isField(cell);
    return cell.part == Part::Multiplicand || cell.part == Part::Multiplier;
}

bool Exercise::takesFrame(const Cell &field) const
{
    return !isCarry(field) || expectedDigit(field) != 0;
}

Exercise Exercise::withEstimate() const
{
    return single(m_written, m_written.estimateLine() + m_fields, m_display);
}

bool Exercise::isEstimateWritten() const
{
    return std::all_of(m_fields.cbegin(), m_fields.cend(), [this](const Cell &field) {
        return !isEstimate(field) || shownDigit(field) == std::optional<int>(expectedDigit(field));
    });
}

int Exercise::expectedDigit(const Cell &field) const
{
    return m_written.contains(field) ? m_written.digit(field) : 0;
}

bool Exercise::isBlank(const Cell &cell) const
{
    return isField(cell) && isShown(cell) && !m_entries.contains(cell);
}

Exercise::Verdict Exercise::drop(const Cell &field, std::optional<int> digit)
{
    if (digit)
        m_entries.insert(field, *digit);
    const std::optional<int> standing = shownDigit(field);
    if (standing && *standing == expectedDigit(field))
        return Verdict::Right;
    m_entries.remove(field);
    return Verdict::Wrong;
}

bool Exercise::isSolved() const
{
    return std::all_of(m_fields.cbegin(), m_fields.cend(), [this](const Cell &field) {
        if (isCarry(field) || !isShown(field))
            return true;
        const std::optional<int> standing = shownDigit(field);
        return standing && *standing == expectedDigit(field);
    });
}

QString Exercise::problemText() const
{
    QString text = QStringLiteral("%1 \u00b7 %2").arg(m_written.multiplicand()).arg(m_written.multiplier());
    if (m_gap)
        text += QStringLiteral(" (L\u00fccke)");
    return text;
}

namespace {

bool isOperand(const Cell &cell)
{
    return cell.part == Part::Multiplicand || cell.part == Part::Multiplier;
}

// The lines under the rule: the partial products with their zeros, then the sum.
QList<Cell> resultCells(const WrittenMultiplication &w)
{
    QList<Cell> cells;
    for (int row = 0; row < w.rowCount(); ++row)
        cells += w.cells(Part::Zero, row) + w.cells(Part::PartialProduct, row);
    return cells + w.cells(Part::Sum);
}

} // namespace

int gapSolutionCount(const WrittenMultiplication &written, const QList<Cell> &blanks)
{
    QList<Cell> operandBlanks;
    for (const Cell &blank : blanks) {
        // The zeros of a tens or hundreds multiplier are no digit to choose.
        const bool zero = blank.part == Part::Multiplier && blank.place < written.multiplierZeros();
        if (isOperand(blank) && !zero)
            operandBlanks.append(blank);
    }
    const QList<Cell> result = resultCells(written);

    // Every filling of the blank operand digits; a blank under the rule then has the one
    // digit the computation gives it.
    int count = 0;
    QList<int> filling(operandBlanks.size(), 0);
    const auto lowest = [&](const Cell &cell) {
        const bool leading = cell.part == Part::Multiplier
                             || cell.place == written.multiplicandLength() - 1;
        return leading ? 1 : 0;
    };
    for (int i = 0; i < filling.size(); ++i)
        filling[i] = lowest(operandBlanks.at(i));
    for (;;) {
        qint64 multiplicand = written.multiplicand();
        QList<int> digits = written.multiplierDigits();
        for (int i = 0; i < filling.size(); ++i) {
            const Cell &cell = operandBlanks.at(i);
            if (cell.part == Part::Multiplicand) {
                multiplicand += (filling.at(i) - digitAt(multiplicand, cell.place)) * powerOfTen(cell.place);
            } else {
                const int digit = written.rowCount() - 1 - (cell.place - written.multiplierZeros());
                if (digit >= 0 && digit < digits.size())
                    digits[digit] = filling.at(i);
            }
        }
        const WrittenMultiplication candidate(multiplicand, digits, written.multiplierZeros());
        const bool fits = resultCells(candidate) == result
                          && std::all_of(result.cbegin(), result.cend(), [&](const Cell &cell) {
                                 return blanks.contains(cell) || candidate.digit(cell) == written.digit(cell);
                             });
        if (fits)
            ++count;

        int i = 0;
        while (i < filling.size() && filling[i] == 9) {
            filling[i] = lowest(operandBlanks.at(i));
            ++i;
        }
        if (i == filling.size())
            return count;
        ++filling[i];
    }
}
