#pragma once

#include "training/session_statistics.h"

#include <QStringList>

// The kind that makes at least half of a trainer's errors and at least three of them, if
// there is one.
std::optional<ErrorKind> strikingKind(const SessionStatistics::Trainer &trainer);

// The teacher's report of this run as plain lines: per trainer the problems solved, right
// digits, errors, the digits of the Überschlag apart (where there were any), errors by kind,
// the problems with the most errors, and an "Auffällig:" line where one kind stands out.
QStringList reportLines(const SessionStatistics &statistics);
