#pragma once

#include "trainers/common/cell_table.h"
#include "training/dealing.h"
#include "training/exercise.h"

#include <QStringList>

#include <vector>

class RandomSource;

// An answer field of a single problem: the digit at `place` counted from the right
// (1 = last) of answer row `row` (the partial products with their zeros, then the sum).
struct RowField
{
    const char *field;
    int row;
    int place;
};

// The controls of a trainer with several partial products: which label shows which
// digit. The two-row and three-row trainers each have their own.
struct RowsTables
{
    int multiplierDigits;
    // Single problems.
    std::vector<const char *> multiplicandLabels; // thousands first
    std::vector<const char *> multiplierLabels;   // highest digit first
    std::vector<RowField> fields;
    // The small boxes for the carries of the addition, from the one into the tens column
    // up: the control above place k of the sum shows the carry into it.
    std::vector<const char *> sumCarries;
    // Gap problems.
    std::vector<const char *> gapMultiplicand;
    std::vector<const char *> gapMultiplier;
    std::vector<std::vector<const char *>> gapRows; // per answer row, from the right
    std::vector<const char *> gapSumCarries;       // given, as sumCarries
    std::vector<const char *> gaps;                // the blanked fields, in Liste2 order
};

// The controls of a single or a gap problem with the cell each shows.
CellTable rowsCells(const RowsTables &tables, bool gap);

// Thousands 5..9, hundreds 0..9, tens 0..9, ones 1..4, each multiplier digit 2..9.
ProblemRanges rowsRanges(int multiplierDigits);
// Draws the digits of rowsRanges() in this order: thousands, hundreds, tens, ones, then each
// multiplier digit from the highest down.
WrittenMultiplication drawRowsProblem(RandomSource &random, int multiplierDigits);

// A single problem: the pupil writes the partial products row by row, each from its ones
// leftwards, then the sum from its ones leftwards, each sum digit followed by the carry it
// leaves for the next column. A gap problem: the finished computation (the carries of the
// addition included) with the same few digits of the partial products and the sum left out
// every time.
Exercise rowsExercise(const RowsTables &tables, const WrittenMultiplication &problem, bool gap,
                      WrittenDisplay display);
// Given a child to fit, a single problem is chosen for it (chooseProblem).
Exercise dealRows(RandomSource &random, const RowsTables &tables, bool gap, WrittenDisplay display,
                  const SessionStatistics *child = nullptr);

// The hidden lists of the window: the partial products with their zeros and the sum as
// decimal texts, and the digits of a gap problem's blanks in the order of the gaps.
QStringList rowsAnswerList(const Exercise &exercise);
QStringList rowsGapList(const Exercise &exercise);
