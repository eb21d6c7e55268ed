#include "trainers/common/rows_table.h"

#include "arithmetic/written_views.h"
#include "seams/random_source.h"

#include <algorithm>

namespace {

// The cell of the digit at `place` from the right (1 = last) of answer row `row`.
Cell answerCell(const RowsTables &tables, int row, int place)
{
    if (row >= tables.multiplierDigits)
        return {Part::Sum, 0, place - 1};
    const int zeros = tables.multiplierDigits - 1 - row;
    return {place - 1 < zeros ? Part::Zero : Part::PartialProduct, row, place - 1};
}

void addOperands(CellTable &cells, const std::vector<const char *> &multiplicand,
                 const std::vector<const char *> &multiplier)
{
    for (std::size_t i = 0; i < multiplicand.size(); ++i)
        cells.append({QLatin1String(multiplicand[i]), {Part::Multiplicand, 0, int(multiplicand.size() - 1 - i)}});
    for (std::size_t i = 0; i < multiplier.size(); ++i)
        cells.append({QLatin1String(multiplier[i]), {Part::Multiplier, 0, int(multiplier.size() - 1 - i)}});
}

// The first of `carries` stands above the tens of the sum.
void addSumCarries(CellTable &cells, const std::vector<const char *> &carries)
{
    for (std::size_t k = 0; k < carries.size(); ++k)
        cells.append({QLatin1String(carries[k]), {Part::SumCarry, 0, int(k) + 1}});
}

} // namespace

CellTable rowsCells(const RowsTables &tables, bool gap)
{
    CellTable cells;
    if (!gap) {
        addOperands(cells, tables.multiplicandLabels, tables.multiplierLabels);
        for (const RowField &field : tables.fields)
            cells.append({QLatin1String(field.field), answerCell(tables, field.row, field.place)});
        addSumCarries(cells, tables.sumCarries);
        return cells;
    }
    addOperands(cells, tables.gapMultiplicand, tables.gapMultiplier);
    for (std::size_t row = 0; row < tables.gapRows.size(); ++row) {
        for (std::size_t k = 0; k < tables.gapRows[row].size(); ++k)
            cells.append({QLatin1String(tables.gapRows[row][k]), answerCell(tables, int(row), int(k) + 1)});
    }
    addSumCarries(cells, tables.gapSumCarries);
    return cells;
}

ProblemRanges rowsRanges(int multiplierDigits)
{
    return {{{{5, 9}, {0, 9}, {0, 9}, {1, 4}}}, multiplierDigits, {2, 9}, 0};
}

WrittenMultiplication drawRowsProblem(RandomSource &random, int multiplierDigits)
{
    return drawProblem([&random] { return random.uniform(); }, rowsRanges(multiplierDigits));
}

Exercise rowsExercise(const RowsTables &tables, const WrittenMultiplication &problem, bool gap,
                      WrittenDisplay display)
{
    const CellTable cells = rowsCells(tables, gap);
    if (!gap) {
        // Written order: row by row, each from its ones digit leftwards.
        std::vector<RowField> fields = tables.fields;
        std::stable_sort(fields.begin(), fields.end(), [](const RowField &a, const RowField &b) {
            return a.row != b.row ? a.row < b.row : a.place < b.place;
        });
        QList<Cell> written;
        for (const RowField &f : fields) {
            const Cell cell = answerCell(tables, f.row, f.place);
            written << cell;
            // A sum digit leaves its carry for the next column.
            const Cell carry{Part::SumCarry, 0, cell.place + 1};
            if (cell.part == Part::Sum && problem.contains(carry) && !nameOfCell(cells, carry).isEmpty())
                written << carry;
        }
        return Exercise::single(problem, written, display);
    }
    QList<Cell> blanks;
    for (const char *name : tables.gaps)
        blanks << *cellNamed(cells, QLatin1String(name));
    return Exercise::gap(problem, blanks, blanks, display);
}

Exercise dealRows(RandomSource &random, const RowsTables &tables, bool gap, WrittenDisplay display,
                  const SessionStatistics *child)
{
    if (child && !gap) {
        const TrainerKind trainer = tables.multiplierDigits == 2 ? TrainerKind::TwoRow : TrainerKind::ThreeRow;
        const auto exerciseOf = [&](const WrittenMultiplication &w) { return rowsExercise(tables, w, false, display); };
        return exerciseOf(chooseProblem([&random] { return random.uniform(); }, rowsRanges(tables.multiplierDigits),
                                        *child, trainer, exerciseOf));
    }
    return rowsExercise(tables, drawRowsProblem(random, tables.multiplierDigits), gap, display);
}

QStringList rowsAnswerList(const Exercise &exercise)
{
    return answerRows(exercise.written());
}

QStringList rowsGapList(const Exercise &exercise)
{
    QStringList digits;
    for (const Cell &blank : exercise.blanks())
        digits << QString::number(exercise.written().digit(blank));
    return digits;
}
