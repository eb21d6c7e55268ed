#pragma once

#include <QChar>
#include <QString>

#include "seams/navigator.h"

class QMimeData;
class QWidget;
class ScriptedRandom;
class TrainerWindow;

// What a pupil does to a trainer window, for widget tests and benchmarks.

// The draws that deal `problem` ("8337 · 3", "6423 · 857") as the next single or gap problem
// of `trainer`: a one-row problem by a one-digit multiplier, or a row trainer's (the
// multiplicand's ones 1..4).
void scriptProblem(ScriptedRandom &random, WindowId trainer, const QString &problem);

// A drop as the toolkit delivers it at the end of a drag, with whatever data it carries:
// drag-enter and drop at the field's centre; then the check the drop queues runs.
void deliverDrop(QWidget *field, const QMimeData *data);
// A digit key dragged onto a field.
void dropKey(QWidget *field, QChar digit);

// The digit the problem on screen expects on the control `name` as the fields stand now,
// as text; empty for a control that shows no cell.
QString expectedDigit(const TrainerWindow *window, const QString &name);
// The digit the problem on screen has on the control `name` (given or written), as text;
// empty for an empty field.
QString shownDigit(const TrainerWindow *window, const QString &name);
// Drops the right digit on every shown empty field in written order until the problem is
// solved; returns the number of drops.
int solveProblem(TrainerWindow *window);

// How far the progress marker has climbed its track, in solved problems: 0 at the bottom,
// Score::problemsPerMemory at the top.
int markerSteps(const QWidget *window);
