#pragma once

#include "arithmetic/written_multiplication.h"
#include "training/trainer_kind.h"

#include <QList>
#include <QtGlobal>

#include <optional>

// One problem as it was dealt: enough to put the same problem on screen again, so that a
// later tutor can read the whole history anew.
struct ProblemRecord
{
    TrainerKind trainer = TrainerKind::OneRow;
    qint64 multiplicand = 0;
    QList<int> multiplierDigits; // highest first
    int multiplierZeros = 0;     // "mal Z", "mal H"
    bool gap = false;
    QList<Cell> blanks;          // of a gap problem, in the order it lists them
    // The cells that take a digit, in written order (the Überschlag's first): they come from
    // the trainer's layout, which a reader of the history does not know.
    QList<Cell> fields;
    bool estimate = false;       // starts with the Überschlag
    WrittenDisplay display = WrittenDisplay::Flush;
};

// One digit the child wrote (or a drop of anything but a digit key) on a cell of the
// problem last started in its trainer.
struct DigitRecord
{
    TrainerKind trainer = TrainerKind::OneRow;
    Cell cell;
    std::optional<int> digit;
    bool right = false;
    // The first try at this cell in this problem: only these tell what the child can do.
    bool firstTry = false;
};

enum class RewardKind { Catching, Memory };

// What the child did, as the session hands it on the moment it happens: the source of truth
// of a child's history. Whoever keeps it must not make the caller wait for a disk.
class PracticeLog
{
public:
    virtual ~PracticeLog() = default;

    virtual void problemStarted(const ProblemRecord &problem, qint64 msecsSinceEpoch) = 0;
    virtual void digitWritten(const DigitRecord &digit, qint64 msecsSinceEpoch) = 0;
    virtual void problemSolved(TrainerKind trainer, qint64 msecsSinceEpoch) = 0;
    virtual void rewardTaken(TrainerKind trainer, RewardKind reward, qint64 msecsSinceEpoch) = 0;
};
