#pragma once

#include "training/diagnosis.h"
#include "training/error_evidence.h"
#include "training/knowledge_tracing.h"
#include "training/score.h"
#include "training/trainer_kind.h"

#include <QList>
#include <QString>
#include <QTime>

#include <array>
#include <bitset>
#include <optional>

class Exercise;
class PracticeLog;


// What the child at the computer did in the trainers during this run, recorded by the
// trainers at every drop and every solved problem: counts, the evidence for patterns in its
// errors (per trainer), and the estimates of its skills (one per skill for the child: 7 · 8
// is the same fact in every trainer). Nothing of it is kept beyond the run; its size does
// not grow with the number of problems.
class SessionStatistics
{
public:
    static constexpr int kindCount = errorKindCount;
    // How many problems with the most errors each trainer keeps.
    static constexpr int worstKept = 3;

    struct ProblemErrors
    {
        QString problem; // "5123 · 47", a gap problem with " (Lücke)"
        int errors = 0;
        std::array<int, kindCount> byKind{}; // wrong digits by the kind their hint asked about
        int unexplained = 0;                 // wrong digits no kind fits
        quint64 serial = 0;
    };

    struct Trainer
    {
        int singleSolved = 0;
        int gapSolved = 0;
        int rightDigits = 0;
        int errors = 0;
        // Each wrong digit once, for the kind the evidence favoured among those it fits (the
        // one its hint asked about); those that fit none in `evidence.unexplained()`.
        std::array<int, kindCount> byKind{};
        ErrorEvidence evidence;
        QList<ProblemErrors> worst; // most errors first, at most worstKept
        ProblemErrors current;
        // The digits of the Überschlag, counted apart from the written computation above.
        int estimateRightDigits = 0;
        int estimateErrors = 0;
        // The skills a digit in this trainer has shown.
        std::bitset<skillCount> skillsShown;
        // The fields of the problem on screen tried already (by their place in the
        // exercise's fields, the Überschlag line included): only the first try at a field
        // tells about the skills.
        std::bitset<128> tried;
        // Of those, the fields whose first try was wrong.
        std::bitset<128> wrongAtFirst;

        int solved() const { return singleSolved + gapSolved; }
        bool used() const
        {
            return solved() > 0 || rightDigits > 0 || errors > 0 || estimateRightDigits > 0 || estimateErrors > 0;
        }
    };

    // A new problem is on screen in `trainer`.
    void startProblem(TrainerKind trainer, const QString &problem);
    // A drop on `field` of the exercise on screen in `trainer`: `digit` is nothing for a drop
    // of anything but a digit key, `right` the verdict. Counts it; a wrong digit of a single
    // problem counts for every kind it fits; the first try at a field tells the skills its
    // step shows whether they were used right. A digit of the Überschlag counts apart from
    // the computation and fits no kind. Returns the kinds the wrong digit fits.
    KindSet recordDrop(TrainerKind trainer, const Exercise &exercise, const Cell &field,
                       std::optional<int> digit, bool right);
    void solved(TrainerKind trainer, bool gap);

    // The counts of a drop alone: a right digit where `possible` kinds would have given a
    // wrong one, a wrong digit that `kinds` fit.
    void rightDigit(TrainerKind trainer, KindSet possible = KindSet());
    void wrongDigit(TrainerKind trainer, KindSet kinds);

    // The kind to ask the pupil about among those a wrong digit fits: the one the evidence
    // of the trainer favours.
    std::optional<ErrorKind> favouredKind(TrainerKind trainer, KindSet kinds) const;

    const Trainer &trainer(TrainerKind trainer) const { return m_trainers[std::size_t(trainer)]; }
    const SkillEstimates &skills() const { return m_skills; }

    // Its members are written and read in training_snapshot.cpp: a new one goes there too.
    friend struct TrainingSnapshot;

    // When "Neues Kind" started these statistics; nothing while they run from the program's
    // start.
    std::optional<QTime> newChildAt;

private:
    Trainer &at(TrainerKind trainer) { return m_trainers[std::size_t(trainer)]; }
    void observe(Trainer &t, Skill skill, bool right);

    std::array<Trainer, trainerKindCount> m_trainers;
    SkillEstimates m_skills;
    quint64 m_serial = 0;
};

// What the program keeps for the run about training: whether hints follow a wrong digit
// (on at start), whether printing asks for the password (locked at start, and again
// whenever the info window that unlocks it is thrown away), whether single problems start
// with an Überschlag (off at start; a change counts from the next problem dealt), whether
// single problems are chosen for the child (off at start: the trainers deal their own
// draws), the statistics of the report, and each trainer's points, errors and problems
// towards Memory.
struct Training
{
    bool hintsShown = true;
    bool printLocked = true;
    bool estimateFirst = false;
    bool fitToChild = false;
    SessionStatistics statistics;
    std::array<Score, trainerKindCount> scores;
    // Where a class keeps each child's history: what the child does goes there too.
    PracticeLog *practiceLog = nullptr;

    Score &score(TrainerKind trainer) { return scores[std::size_t(trainer)]; }
    // The child to choose single problems for, while the switch is on.
    const SessionStatistics *childToFit() const { return fitToChild ? &statistics : nullptr; }
    // "Neues Kind": the next child starts afresh: no points, errors, statistics, evidence or
    // skills of the one before. The switches and the print lock stay.
    void startNewChild();
};
