#pragma once

#include "trainers/common/cell_table.h"
#include "training/dealing.h"
#include "training/exercise.h"

#include <QStringList>

class RandomSource;

// The modes of the one-row trainer: the multiplier is a one-digit number (E), a tens
// number (Z) or a hundreds number (H); the L modes are their gap problems.
enum class OneRowMode { E, Z, H, LE, LZ, LH };

QString modeTag(OneRowMode mode);
bool isGapMode(OneRowMode mode);
OneRowMode gapCounterpart(OneRowMode mode);
OneRowMode singleCounterpart(OneRowMode mode);
// Zeros the multiplier carries in this mode: 0, 1 or 2.
int multiplierZeros(OneRowMode mode);

// The controls of Form1 in `mode` (its single layout, or in a gap mode its gap panel) with
// the cell each shows. A control whose cell the mode has not (a zero of the multiplier in
// mode E) is left out.
CellTable oneRowCells(OneRowMode mode);
// Every control either layout has, in every mode.
QStringList oneRowControls(bool gap);

// `multiplicand` times the digit `m` with the zeros of `mode`.
WrittenMultiplication oneRowProblem(qint64 multiplicand, int m, OneRowMode mode);
// Thousands 1..9, hundreds 0..9, tens 0..9, ones 1..9, m 2..9, the zeros of `mode`.
ProblemRanges oneRowRanges(OneRowMode mode);
// Draws the digits of oneRowRanges() in this order: thousands, hundreds, tens, ones, m.
WrittenMultiplication drawOneRowProblem(RandomSource &random, OneRowMode mode);

// A single problem: the pupil writes the carries and the result with its zeros.
Exercise oneRowSingle(const WrittenMultiplication &problem);
// A gap problem with pattern k (1..4) left out: one multiplicand digit and two digits of
// the product. Every digit of the multiplicand, the multiplier and the result takes a drop.
Exercise oneRowGap(const WrittenMultiplication &problem, int pattern);
// The cells pattern k leaves out.
QList<Cell> oneRowGapBlanks(const WrittenMultiplication &problem, int pattern);

// A fresh problem of `mode`. A gap problem whose blanks two different fillings would fit
// is dealt again (numbers, then the pattern 1..4), so a right answer is never refused.
// Given a child to fit, a single problem is chosen for it (chooseProblem).
Exercise dealOneRow(RandomSource &random, OneRowMode mode, const SessionStatistics *child = nullptr);
