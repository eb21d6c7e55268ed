#pragma once

#include "training/diagnosis.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The three trainers, as the statistics and the report name them.
enum class TrainerKind { OneRow, TwoRow, ThreeRow };
constexpr int trainerKindCount = 3;
// "Einreihige Multiplikation", ...
QString trainerKindName(TrainerKind trainer);

// What the pupil did in the trainers during this run, recorded by the trainers at every
// drop and every solved problem. Nothing of it is kept beyond the run; its size does not
// grow with the number of problems.
class SessionStatistics
{
public:
    static constexpr int kindCount = 8;
    // How many problems with the most errors each trainer keeps.
    static constexpr int worstKept = 3;

    struct ProblemErrors
    {
        QString problem; // "5123 · 47", a gap problem with " (Lücke)"
        int errors = 0;
        std::array<int, kindCount> byKind{};
        quint64 serial = 0;
    };

    struct Trainer
    {
        int singleSolved = 0;
        int gapSolved = 0;
        int rightDigits = 0;
        int errors = 0;
        std::array<int, kindCount> byKind{}; // errors without a kind are in `errors` only
        QList<ProblemErrors> worst;          // most errors first, at most worstKept
        ProblemErrors current;
        // The digits of the Überschlag, counted apart from the written computation above.
        int estimateRightDigits = 0;
        int estimateErrors = 0;

        int solved() const { return singleSolved + gapSolved; }
        bool used() const
        {
            return solved() > 0 || rightDigits > 0 || errors > 0 || estimateRightDigits > 0 || estimateErrors > 0;
        }
    };

    // A new problem is on screen in `trainer`.
    void startProblem(TrainerKind trainer, const QString &problem);
    void rightDigit(TrainerKind trainer);
    void wrongDigit(TrainerKind trainer, std::optional<ErrorKind> kind);
    // A digit of the Überschlag.
    void rightEstimateDigit(TrainerKind trainer);
    void wrongEstimateDigit(TrainerKind trainer);
    void solved(TrainerKind trainer, bool gap);

    const Trainer &trainer(TrainerKind trainer) const { return m_trainers[int(trainer)]; }

private:
    std::array<Trainer, trainerKindCount> m_trainers;
    quint64 m_serial = 0;
};

// Index of a kind in the arrays above.
int errorKindIndex(ErrorKind kind);

// What the program keeps for the run about training: whether hints follow a wrong digit
// (on at start), whether printing asks for the password (locked at start, and again
// whenever the info window that unlocks it is thrown away), whether single problems start
// with an Überschlag (off at start; a change counts from the next problem dealt) and the
// statistics of the report.
struct Training
{
    bool hintsShown = true;
    bool printLocked = true;
    bool estimateFirst = false;
    SessionStatistics statistics;
};
