#pragma once

#include <QList>
#include <QString>

// The three trainers, as the session, the statistics, the report and the class's history
// name them.
enum class TrainerKind { OneRow, TwoRow, ThreeRow };
constexpr int trainerKindCount = 3;
// "Einreihige Multiplikation", ...
QString trainerKindName(TrainerKind trainer);
const QList<TrainerKind> &trainerKinds();
