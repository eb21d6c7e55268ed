#pragma once

#include "training/exercise.h"
#include "training/practice_log.h"

#include <QByteArray>
#include <QtGlobal>

// One entry of a child's history: what the session handed to its PracticeLog, in the order
// it happened. The history is the source of truth; whatever the tutor concludes is read
// from it anew.
struct PracticeEvent
{
    // The numbers are stored: never renumber them.
    enum class Kind : quint8 { ProblemStarted = 1, DigitWritten = 2, ProblemSolved = 3, RewardTaken = 4 };

    Kind kind = Kind::ProblemStarted;
    qint64 msecs = 0;
    TrainerKind trainer = TrainerKind::OneRow;
    ProblemRecord problem; // ProblemStarted
    DigitRecord digit;     // DigitWritten
    RewardKind reward = RewardKind::Catching;
};

// A cell as one number (part, row and place in 16 bits), as the history stores it.
int cellCode(const Cell &cell);
Cell cellOfCode(int code);
QByteArray cellsCode(const QList<Cell> &cells);
QList<Cell> cellsOfCode(const QByteArray &code);

// What a problem started on screen is, for the history: everything to put it on screen again.
ProblemRecord problemRecordOf(TrainerKind trainer, const Exercise &exercise);
// The problem of a record as it was dealt: its fields, blanks, Überschlag and display.
// Nothing if the record does not describe a written multiplication (a damaged history).
std::optional<Exercise> exerciseOf(const ProblemRecord &problem);

// A problem record in a few bytes, and back (nothing if `code` is no record).
QByteArray problemCode(const ProblemRecord &problem);
std::optional<ProblemRecord> problemOfCode(const QByteArray &code);
