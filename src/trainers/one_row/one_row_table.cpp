#include "trainers/one_row/one_row_table.h"

#include "seams/random_source.h"

QString modeTag(OneRowMode mode)
{
    switch (mode) {
    case OneRowMode::E: return QStringLiteral("E");
    case OneRowMode::Z: return QStringLiteral("Z");
    case OneRowMode::H: return QStringLiteral("H");
    case OneRowMode::LE: return QStringLiteral("LE");
    case OneRowMode::LZ: return QStringLiteral("LZ");
    case OneRowMode::LH: return QStringLiteral("LH");
    }
    return QString();
}

bool isGapMode(OneRowMode mode)
{
    return mode == OneRowMode::LE || mode == OneRowMode::LZ || mode == OneRowMode::LH;
}

OneRowMode gapCounterpart(OneRowMode mode)
{
    switch (mode) {
    case OneRowMode::E: return OneRowMode::LE;
    case OneRowMode::Z: return OneRowMode::LZ;
    case OneRowMode::H: return OneRowMode::LH;
    default: return mode;
    }
}

OneRowMode singleCounterpart(OneRowMode mode)
{
    switch (mode) {
    case OneRowMode::LE: return OneRowMode::E;
    case OneRowMode::LZ: return OneRowMode::Z;
    case OneRowMode::LH: return OneRowMode::H;
    default: return mode;
    }
}

int multiplierZeros(OneRowMode mode)
{
    switch (mode) {
    case OneRowMode::Z:
    case OneRowMode::LZ: return 1;
    case OneRowMode::H:
    case OneRowMode::LH: return 2;
    default: return 0;
    }
}

namespace {

// A control and the cell it shows. The multiplier may end in t zeros (t = 0, 1, 2 in the
// modes E, Z, H); a place marked `shifted` counts from place t, and a control that shows a
// zero exists from `fromZeros` zeros on.
struct CellBox
{
    const char *name;
    Part part;
    int place;
    bool shifted;
    int fromZeros;
};

// Both tables list the fields in written order: the zeros, then each result digit followed
// by the carry it leaves; a gap problem goes on with the multiplicand from its ones and
// the multiplier with its zeros.
const CellBox singleCells[] = {
    {"Bezeichnung19", Part::Zero, 0, false, 2},
    {"Bezeichnung18", Part::Zero, -1, true, 1},
    {"Bezeichnung17", Part::PartialProduct, 0, true, 0},
    {"Bezeichnung9", Part::Carry, 1, true, 0},
    {"Bezeichnung13", Part::PartialProduct, 1, true, 0},
    {"Bezeichnung8", Part::Carry, 2, true, 0},
    {"Bezeichnung12", Part::PartialProduct, 2, true, 0},
    {"Bezeichnung7", Part::Carry, 3, true, 0},
    {"Bezeichnung11", Part::PartialProduct, 3, true, 0},
    {"Bezeichnung10", Part::PartialProduct, 4, true, 0},
    {"Bezeichnung1", Part::Multiplicand, 3, false, 0},
    {"Bezeichnung2", Part::Multiplicand, 2, false, 0},
    {"Bezeichnung3", Part::Multiplicand, 1, false, 0},
    {"Bezeichnung4", Part::Multiplicand, 0, false, 0},
    {"Bezeichnung5", Part::Multiplier, 0, true, 0},
    {"Bezeichnung6", Part::Multiplier, -1, true, 1},
    {"Bezeichnung20", Part::Multiplier, 0, false, 2},
};
constexpr int singleFieldCount = 10;

const CellBox gapCells[] = {
    {"luecke11", Part::Zero, 0, false, 2},
    {"luecke12", Part::Zero, -1, true, 1},
    {"luecke13", Part::PartialProduct, 0, true, 0},
    {"luecke14", Part::PartialProduct, 1, true, 0},
    {"luecke15", Part::PartialProduct, 2, true, 0},
    {"luecke16", Part::PartialProduct, 3, true, 0},
    {"luecke17", Part::PartialProduct, 4, true, 0},
    {"luecke4", Part::Multiplicand, 0, false, 0},
    {"luecke3", Part::Multiplicand, 1, false, 0},
    {"luecke2", Part::Multiplicand, 2, false, 0},
    {"luecke1", Part::Multiplicand, 3, false, 0},
    {"luecke5", Part::Multiplier, 0, true, 0},
    {"luecke6", Part::Multiplier, -1, true, 1},
    {"luecke10", Part::Multiplier, 0, false, 2},
    {"luecke7", Part::Carry, 1, true, 0},
    {"luecke8", Part::Carry, 2, true, 0},
    {"luecke9", Part::Carry, 3, true, 0},
};
constexpr int gapFieldCount = 14;

template<std::size_t N>
CellTable cellsOf(const CellBox (&boxes)[N], int zeros, int count = int(N))
{
    CellTable cells;
    for (int i = 0; i < count; ++i) {
        const CellBox &box = boxes[i];
        if (zeros >= box.fromZeros)
            cells.append({QLatin1String(box.name), {box.part, 0, box.place + (box.shifted ? zeros : 0)}});
    }
    return cells;
}

// The fields of a problem in written order; a control without a cell in this problem
// (the leading digit of a four-digit product) is no field.
QList<Cell> fieldsOf(const CellTable &table, const WrittenMultiplication &problem)
{
    QList<Cell> fields;
    for (const NamedCell &named : table) {
        if (problem.contains(named.cell))
            fields << named.cell;
    }
    return fields;
}

// Place of the multiplicand digit and of the two product digits (0 = ones, counted from
// the product's first digit, before the zeros) that pattern k leaves out.
struct Pattern
{
    int multiplicandPlace;
    int productPlaces[2];
};

const Pattern patterns[] = {
    {3, {0, 2}}, // luecke1, luecke13, luecke15
    {2, {1, 4}}, // luecke2, luecke14, luecke17
    {1, {0, 3}}, // luecke3, luecke13, luecke16
    {0, {1, 3}}, // luecke4, luecke14, luecke16
};

} // namespace

CellTable oneRowCells(OneRowMode mode)
{
    const int zeros = multiplierZeros(mode);
    return isGapMode(mode) ? cellsOf(gapCells, zeros) : cellsOf(singleCells, zeros);
}

QStringList oneRowControls(bool gap)
{
    QStringList names;
    for (const NamedCell &named : gap ? cellsOf(gapCells, 2) : cellsOf(singleCells, 2))
        names << named.name;
    return names;
}

WrittenMultiplication oneRowProblem(qint64 multiplicand, int m, OneRowMode mode)
{
    return WrittenMultiplication(multiplicand, {m}, multiplierZeros(mode));
}

ProblemRanges oneRowRanges(OneRowMode mode)
{
    return {{{{1, 9}, {0, 9}, {0, 9}, {1, 9}}}, 1, {2, 9}, multiplierZeros(mode)};
}

WrittenMultiplication drawOneRowProblem(RandomSource &random, OneRowMode mode)
{
    return drawProblem([&random] { return random.uniform(); }, oneRowRanges(mode));
}

Exercise oneRowSingle(const WrittenMultiplication &problem)
{
    const CellTable fields = cellsOf(singleCells, problem.multiplierZeros(), singleFieldCount);
    return Exercise::single(problem, fieldsOf(fields, problem));
}

QList<Cell> oneRowGapBlanks(const WrittenMultiplication &problem, int pattern)
{
    const Pattern &blank = patterns[pattern - 1];
    const int zeros = problem.multiplierZeros();
    return {{Part::Multiplicand, 0, blank.multiplicandPlace},
            {Part::PartialProduct, 0, blank.productPlaces[0] + zeros},
            {Part::PartialProduct, 0, blank.productPlaces[1] + zeros}};
}

Exercise oneRowGap(const WrittenMultiplication &problem, int pattern)
{
    const CellTable fields = cellsOf(gapCells, problem.multiplierZeros(), gapFieldCount);
    return Exercise::gap(problem, fieldsOf(fields, problem), oneRowGapBlanks(problem, pattern));
}

Exercise dealOneRow(RandomSource &random, OneRowMode mode, const SessionStatistics *child)
{
    if (!isGapMode(mode) && child)
        return oneRowSingle(chooseProblem([&random] { return random.uniform(); }, oneRowRanges(mode), *child,
                                          TrainerKind::OneRow, oneRowSingle));
    if (!isGapMode(mode))
        return oneRowSingle(drawOneRowProblem(random, mode));
    for (;;) {
        const WrittenMultiplication problem = drawOneRowProblem(random, mode);
        const int pattern = drawInt(random, 4, 1);
        if (gapSolutionCount(problem, oneRowGapBlanks(problem, pattern)) == 1)
            return oneRowGap(problem, pattern);
    }
}
