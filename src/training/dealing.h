#pragma once

#include "training/exercise.h"
#include "training/session_statistics.h"

#include <array>
#include <functional>

// A uniform number in [0, 1): a draw of the program's random source, handed in by the
// trainers, so a test scripts every draw.
using UniformDraw = std::function<double()>;

// The digits a trainer draws for one place of its single problems, both ends included.
struct DigitRange
{
    int low = 0;
    int high = 9;

    int count() const { return high - low + 1; }
    bool contains(int digit) const { return digit >= low && digit <= high; }
};

// The single problems of a trainer: a four-digit multiplicand and a multiplier of one to
// three digits, each digit from its range, the one-digit multiplier maybe followed by zeros.
struct ProblemRanges
{
    std::array<DigitRange, 4> multiplicand; // thousands first
    int multiplierDigits = 1;
    DigitRange multiplierDigit{2, 9};
    int zeros = 0;
};

// Int(r · count) + low.
int drawDigit(const UniformDraw &draw, DigitRange range);
// The trainers' own draw: each digit from its range, the multiplicand from its thousands
// down, then the multiplier from its highest digit.
WrittenMultiplication drawProblem(const UniformDraw &draw, const ProblemRanges &ranges);

// How a trainer lays out a single problem: its fields in written order, its display.
using ExerciseOf = std::function<Exercise(const WrittenMultiplication &)>;

// "Aufgaben passend zum Kind": the next single problem of a trainer, chosen for the child
// from what the statistics know. It stays inside the trainer's ranges (so the layout and
// the number of digits never change). Out of a few dozen candidates (drawn as the trainer
// draws them, and drawn aiming at a skill that needs practice) it takes the one that
// practises most of what the child has not mastered (the skills knowledge tracing is least
// sure of, facts not seen yet, the occasions of the pattern in its errors) at about 75 %
// expected success per digit; where two kinds explain the same errors, one on which they
// give different digits. Now and then (one problem in six, none while two kinds wait to be
// told apart) it deals the trainer's own draw, where mastered skills come back. Every draw goes through `draw`.
WrittenMultiplication chooseProblem(const UniformDraw &draw, const ProblemRanges &ranges,
                                    const SessionStatistics &statistics, TrainerKind trainer,
                                    const ExerciseOf &exerciseOf);
