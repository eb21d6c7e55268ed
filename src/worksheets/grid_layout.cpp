#include "worksheets/grid_layout.h"

#include <algorithm>

namespace {

using Kind = GridMark::Kind;

QChar digitChar(int digit)
{
    return QChar(u'0' + digit);
}

// The cells of `cells` the display writes, each in row `row` and in the column of its
// place, the ones in column `onesColumn`. Carries are written only where they are not 0.
void writeCells(GridProblem &grid, const WrittenMultiplication &w, const QList<Cell> &cells,
                WrittenDisplay display, int row, int onesColumn, bool answer)
{
    // Digits from the left, as they are written; carries from the ones up, as they arise.
    for (int i = 0; i < cells.size(); ++i) {
        const bool carries = cells.at(i).part == Part::Carry || cells.at(i).part == Part::SumCarry;
        const Cell &cell = carries ? cells.at(i) : cells.at(cells.size() - 1 - i);
        if (!w.isShown(cell, display))
            continue;
        const int digit = w.digit(cell);
        const bool carry = cell.part == Part::Carry || cell.part == Part::SumCarry;
        if (carry && digit == 0)
            continue;
        grid.marks.append({carry ? Kind::Carry : Kind::Digit, row, onesColumn - cell.place, 1,
                           digitChar(digit), answer});
    }
}

void writeRule(GridProblem &grid, int row)
{
    grid.marks.append({Kind::Rule, row, 0, grid.columns, QChar(), false});
}

} // namespace

GridProblem layOutProblem(const WrittenMultiplication &w, WrittenDisplay display)
{
    GridProblem grid;
    const int multiplicandDigits = w.multiplicandLength();
    grid.columns = multiplicandDigits + 1 + int(w.cells(Part::Multiplier).size());
    const int ones = grid.columns - 1;

    // The problem line: the multiplicand, the sign, the multiplier with its zeros.
    writeCells(grid, w, w.cells(Part::Multiplicand), display, 0, multiplicandDigits - 1, false);
    grid.marks.append({Kind::Sign, 0, multiplicandDigits, 1, QChar(0x00B7), false});
    writeCells(grid, w, w.cells(Part::Multiplier), display, 0, ones, false);

    if (!w.hasSum()) {
        // One multiplier digit: its carries, small, above the digits they are added to;
        // the rule; the product with the zeros of a tens or hundreds number.
        writeCells(grid, w, w.cells(Part::Carry), display, 1, ones, true);
        grid.rows = 3;
        writeRule(grid, 2);
        writeCells(grid, w, w.cells(Part::Zero) + w.cells(Part::PartialProduct),
                   WrittenDisplay::Flush, 2, ones, true);
        return grid;
    }

    // A row per multiplier digit, the carries of adding them up, the rule, the sum.
    grid.rows = w.rowCount() + 3;
    writeRule(grid, 1);
    for (int r = 0; r < w.rowCount(); ++r)
        writeCells(grid, w, w.cells(Part::Zero, r) + w.cells(Part::PartialProduct, r), display,
                   1 + r, ones, true);
    const int carryRow = 1 + w.rowCount();
    writeCells(grid, w, w.cells(Part::SumCarry), display, carryRow, ones, true);
    writeRule(grid, carryRow + 1);
    writeCells(grid, w, w.cells(Part::Sum), display, carryRow + 1, ones, true);
    return grid;
}

QList<GridPage> layOutPages(SheetKind kind, const QList<SheetProblem> &problems,
                            WrittenDisplay display, int columns, int rows)
{
    QList<GridProblem> grids;
    int widest = 0;
    for (const SheetProblem &p : problems) {
        grids.append(layOutProblem(writtenOf(p, writesPartialProducts(kind)), display));
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
