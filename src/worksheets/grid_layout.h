#pragma once

#include "worksheets/worksheet.h"

#include <QChar>
#include <QList>
#include <QString>

// Written multiplication on squared paper, one digit per square. Rows and columns count
// squares from the problem's top-left square.
struct GridMark
{
    enum class Kind { Digit, Carry, Sign, Rule };
    Kind kind = Kind::Digit;
    int row = 0;
    int column = 0;
    int span = 1;  // a rule: the squares it runs under, drawn on the top edge of `row`
    QChar text;    // a digit, a carry or the sign
    bool answer = false; // the pupil writes it: the problem sheet leaves its square empty
};

// One problem laid out: the problem line in row 0, the multiplicand from column 0, then
// the sign and the multiplier; every answer row ends in the multiplier's last column.
// Without partial products: a row of carries (small, each above the digit it is added to),
// the rule, the product. With them: the rule, a row per multiplier digit (flush with the
// zeros of its place, or as a staircase without them), a row of the sum's carries, the
// rule, the sum.
struct GridProblem
{
    int columns = 0;
    int rows = 0;
    QList<GridMark> marks;
};

GridProblem layOutProblem(const WrittenMultiplication &written, WrittenDisplay display);

// A problem placed on a page: its number stands in the two squares left of `column`.
struct PlacedProblem
{
    int number = 0; // from 1
    int row = 0;
    int column = 0;
    GridProblem grid;
};
using GridPage = QList<PlacedProblem>;

// The squares left of every problem for its number.
constexpr int numberColumns = 2;

// The problems of a sheet on pages of `columns` × `rows` squares: as many side by side as
// fit with room between them, a new line of problems at each block, a problem never split
// over two pages.
QList<GridPage> layOutPages(SheetKind kind, const QList<SheetProblem> &problems,
                            WrittenDisplay display, int columns, int rows);

// A problem as text, one line per row of squares, a line of '-' for a rule, and "c " in
// front of a row that shows carries; with `answers` false as on the problem sheet.
QString gridText(const GridProblem &problem, bool answers);
