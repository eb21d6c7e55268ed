#pragma once

#include "training/exercise.h"
#include "training/score.h"

#include <optional>

// What a drop (or a change of display) did.
struct DropOutcome
{
    enum class Verdict { Refused, Right, Wrong };

    Verdict verdict = Verdict::Refused;
    // The problem is solved now and counted; the trainer deals the next one.
    bool solved = false;
    // This drop made the points a multiple of 50.
    bool catchingDue = false;
    // This solved problem reached (or passed) the count that offers Memory.
    bool memoryDue = false;
};

// The training of one trainer: the exercise on screen and the trainer's score, which lives
// as long as the run (or until a new child starts). Every trainer's drops go through here;
// the window shows what came of them.
class TrainingSession
{
public:
    explicit TrainingSession(Score &score) : m_score(score) {}

    // Puts a newly dealt problem on screen.
    void start(Exercise exercise);
    bool hasExercise() const { return m_exercise.has_value(); }
    // Precondition: hasExercise().
    const Exercise &exercise() const { return *m_exercise; }
    const Score &score() const { return m_score; }

    // A digit (or, for a drop of anything but a digit key, nothing) dropped on `cell`. A
    // cell that is no field of the exercise, or a problem already solved, refuses it.
    DropOutcome drop(const Cell &cell, std::optional<int> digit);
    // The display of the partial products changes; a problem whose other digits all stand
    // is solved by it, since the staircase takes the zeros it hides as written.
    DropOutcome setDisplay(WrittenDisplay display);
    void takeMemory() { m_score.takeMemory(); }

private:
    // Counts the problem solved if it is.
    void testSolved(DropOutcome &outcome);

    std::optional<Exercise> m_exercise;
    bool m_solved = false;
    Score &m_score;
};
