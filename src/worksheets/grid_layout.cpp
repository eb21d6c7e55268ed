#include "worksheets/grid_layout.h"

#include <algorithm>

namespace {

using Kind = GridMark::Kind;

// Digit at `place` (0 = ones) of `value`.
int digitAt(qint64 value, int place)
{
    for (int i = 0; i < place; ++i)
        value /= 10;
    return int(value % 10);
}

qint64 withZeros(qint64 value, int zeros)
{
    for (int i = 0; i < zeros; ++i)
        value *= 10;
    return value;
}

int digitCount(qint64 value)
{
    return int(QString::number(value).size());
}

// The digits of `value`, its ones in column `onesColumn` of `row`.
void writeNumber(GridProblem &grid, qint64 value, int row, int onesColumn, bool answer)
{
    const QString digits = QString::number(value);
    const int first = onesColumn - int(digits.size()) + 1;
    for (int i = 0; i < digits.size(); ++i)
        grid.marks.append({Kind::Digit, row, first + i, 1, digits.at(i), answer});
}

void writeCarry(GridProblem &grid, int carry, int row, int column)
{
    if (carry > 0)
        grid.marks.append({Kind::Carry, row, column, 1, QChar(u'0' + carry), true});
}

void writeRule(GridProblem &grid, int row)
{
    grid.marks.append({Kind::Rule, row, 0, grid.columns, QChar(), false});
}

} // namespace

GridProblem layOutProblem(qint64 multiplicand, qint64 multiplier, bool partialProducts,
                          SheetDisplay display)
{
    GridProblem grid;
    const int multiplicandDigits = digitCount(multiplicand);
    const QString multiplierText = QString::number(multiplier);
    grid.columns = multiplicandDigits + 1 + int(multiplierText.size());
    const int ones = grid.columns - 1;

    writeNumber(grid, multiplicand, 0, multiplicandDigits - 1, false);
    grid.marks.append({Kind::Sign, 0, multiplicandDigits, 1, QChar(0x00B7), false});
    writeNumber(grid, multiplier, 0, ones, false);

    if (!partialProducts) {
        // The multiplier is one digit, followed by the zeros of a tens or hundreds number.
        int zeros = 0;
        while (zeros + 1 < multiplierText.size()
               && multiplierText.at(multiplierText.size() - 1 - zeros) == QLatin1Char('0'))
            ++zeros;
        const int factor = multiplierText.at(0).digitValue();
        int carry = 0;
        for (int place = 0; place + 1 < multiplicandDigits; ++place) {
            carry = (digitAt(multiplicand, place) * factor + carry) / 10;
            writeCarry(grid, carry, 1, ones - place - 1 - zeros);
        }
        grid.rows = 3;
        writeRule(grid, 2);
        writeNumber(grid, multiplicand * multiplier, 2, ones, true);
        return grid;
    }

    const int rowsOfPartials = int(multiplierText.size());
    grid.rows = rowsOfPartials + 3;
    writeRule(grid, 1);
    QList<qint64> partials; // with the zeros of their place, as they are added
    for (int r = 0; r < rowsOfPartials; ++r) {
        const int place = rowsOfPartials - 1 - r;
        const qint64 partial = multiplicand * multiplierText.at(r).digitValue();
        if (display == SheetDisplay::Staircase)
            writeNumber(grid, partial, 1 + r, ones - place, true);
        else
            writeNumber(grid, withZeros(partial, place), 1 + r, ones, true);
        partials.append(withZeros(partial, place));
    }
    const qint64 sum = multiplicand * multiplier;
    const int carryRow = 1 + rowsOfPartials;
    int carry = 0;
    for (int place = 0; place + 1 < digitCount(sum); ++place) {
        int column = carry;
        for (const qint64 partial : std::as_const(partials))
            column += digitAt(partial, place);
        carry = column / 10;
        writeCarry(grid, carry, carryRow, ones - place - 1);
    }
    writeRule(grid, carryRow + 1);
    writeNumber(grid, sum, carryRow + 1, ones, true);
    return grid;
}

QList<GridPage> layOutPages(SheetKind kind, const QList<SheetProblem> &problems,
                            SheetDisplay display, int columns, int rows)
{
    QList<GridProblem> grids;
    int widest = 0;
    for (const SheetProblem &p : problems) {
        grids.append(layOutProblem(p.multiplicand, p.multiplier, writesPartialProducts(kind), display));
        widest = std::max(widest, grids.last().columns);
    }
    // Every problem gets a slot as wide as the widest, with at least two free squares
    // before the next number; the squares left over are shared out between the slots.
    const int slot = numberColumns + widest + 2;
    const int perLine = std::max(1, columns / slot);
    const int pitch = std::max(slot, columns / perLine);
    constexpr int rowsBetween = 2;
    constexpr int firstRow = 1; // a free row under the grid's edge

    QList<GridPage> pages{GridPage()};
    int top = firstRow;
    int lineHeight = 0;
    int inLine = perLine; // the first problem starts a line
    for (int i = 0; i < grids.size(); ++i) {
        const bool newBlock = i > 0 && problems.at(i).block != problems.at(i - 1).block;
        if (inLine == perLine || newBlock) {
            if (lineHeight > 0)
                top += lineHeight + rowsBetween;
            lineHeight = 0;
            inLine = 0;
            // The line's height is the tallest problem in it.
            int height = 0;
            for (int j = i; j < std::min(i + perLine, int(grids.size())); ++j) {
                if (j > i && problems.at(j).block != problems.at(i).block)
                    break;
                height = std::max(height, grids.at(j).rows);
            }
            if (top > firstRow && top + height > rows) {
                pages.append(GridPage());
                top = firstRow;
            }
            lineHeight = height;
        }
        pages.last().append({i + 1, top, inLine * pitch + numberColumns, grids.at(i)});
        ++inLine;
    }
    return pages;
}

QString gridText(const GridProblem &problem, bool answers)
{
    QStringList lines;
    for (int row = 0; row < problem.rows; ++row) {
        QString line(problem.columns, QLatin1Char(' '));
        QString rule;
        bool carries = false;
        for (const GridMark &mark : problem.marks) {
            if (mark.row != row)
                continue;
            if (mark.kind == Kind::Rule) {
                rule = QString(mark.column, QLatin1Char(' ')) + QString(mark.span, QLatin1Char('-'));
                continue;
            }
            if (answers || !mark.answer) {
                line[mark.column] = mark.text;
                carries = carries || mark.kind == Kind::Carry;
            }
        }
        if (!rule.isEmpty())
            lines.append(QStringLiteral("  ") + rule);
        lines.append((carries ? QStringLiteral("c ") : QStringLiteral("  ")) + line);
    }
    for (QString &line : lines) {
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
    }
    return lines.join(QLatin1Char('\n'));
}
