#pragma once

#include "training/diagnosis.h"
#include "training/exercise.h"
#include "training/session_statistics.h"

#include <QSet>

#include <functional>
#include <optional>

// Everything a window shows of what a drop (or a change of display) did.
struct DropOutcome
{
    enum class Verdict { Refused, Right, Wrong };

    Verdict verdict = Verdict::Refused;
    // The problem was solved, counted and recorded; it stays on screen until deal() puts
    // the next one there (after the window's message).
    bool solved = false;
    // This drop made the points a multiple of 50.
    bool catchingDue = false;
    // This solved problem reached (or passed) the count that offers Memory.
    bool memoryDue = false;
    // A wrong digit: the kinds of error it fits, and among them the one the child's evidence
    // favours (the kind the hint asks about).
    KindSet kinds;
    std::optional<ErrorKind> favouredKind;
    // The hint line changes: it shows `hint`, or nothing where that is empty. Otherwise it
    // keeps what it shows.
    bool hintChanged = false;
    std::optional<Hint> hint;
};

// Deals a problem for the child, or as the trainer draws it while `child` is null.
using Dealer = std::function<Exercise(const SessionStatistics *child)>;

// The training of one trainer and the only way a digit enters it: it deals and starts
// problems, takes a digit for a cell, counts it, records it for the child's statistics,
// evidence and skills (and, where a class keeps a history, for the practice log) and picks
// the hint. Every digit is recorded before the next problem is dealt, so a problem chosen
// for the child knows what it just did. The window shows the outcomes.
class TrainingSession
{
public:
    TrainingSession(Training &training, TrainerKind trainer) : m_training(training), m_trainer(trainer) {}

    TrainerKind trainer() const { return m_trainer; }
    // How the trainer draws its next problem (its mode lives in the window's buttons).
    void setDealer(Dealer dealer) { m_dealer = std::move(dealer); }
    // Deals the next problem (for the child, while that switch is on) and starts it.
    // Precondition: a dealer is set.
    void deal();
    // Puts a problem on screen; single problems start with the Überschlag while that switch
    // is on. Every problem started counts as a new one, the same problem dealt again too.
    void start(Exercise exercise);

    bool hasExercise() const { return m_exercise.has_value(); }
    // Precondition: hasExercise().
    const Exercise &exercise() const { return *m_exercise; }
    const Score &score() const { return m_training.score(m_trainer); }

    // A digit (or, for a drop of anything but a digit key, nothing) dropped on `cell`. A
    // cell that is no field of the exercise, or a problem already solved, refuses it.
    DropOutcome drop(const Cell &cell, std::optional<int> digit);
    // The display of the partial products changes; a problem whose other digits all stand
    // is solved by it, since the staircase takes the zeros it hides as written.
    DropOutcome setDisplay(WrittenDisplay display);
    // What the hint line shows while no hint stands: the estimate once the Überschlag
    // stands and the problem is not yet solved, else nothing.
    std::optional<Hint> restingLine() const;

    void takeMemory();
    void takeCatching();

private:
    // Counts the problem solved if it is.
    void testSolved(DropOutcome &outcome);
    static qint64 now();

    Training &m_training;
    TrainerKind m_trainer;
    Dealer m_dealer;
    std::optional<Exercise> m_exercise;
    bool m_solved = false;
    // The field of the last wrong digit since the last right one: a second wrong digit
    // there gets the step worked out.
    std::optional<Cell> m_wrongField;
    // The cells of this problem that have had a digit.
    QSet<Cell> m_tried;
};
