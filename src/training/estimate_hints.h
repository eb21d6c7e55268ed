#pragma once

#include "training/diagnosis.h"

class Exercise;

// "6 722", "210 000": a number as the hints write it, its places in threes from the ones.
QString groupedNumber(qint64 value);

// The hints on a digit of the Überschlag, as stepHint and workedHint give them for the
// written multiplication. On a rounded operand, how to round it ("Überschlag: Runde 6 722
// auf volle Tausender. Schau auf die Hunderter: ab 5 rundest du auf."), worked out
// ("An der Hunderterstelle von 6 722 steht 7, also rundest du auf: 7 000."); on the
// estimate, how to multiply the rounded operands ("Überschlag: Rechne 7 · 3 und hänge die
// Nullen beider Zahlen an."), worked out ("7 · 3 = 21, dann die Nullen: 210 000"). The
// estimate needs the rounded operands on screen: while one is a blank, the hint sends the
// pupil to round it first.
Hint estimateStepHint(const Exercise &exercise, const Cell &cell);
Hint estimateWorkedHint(const Exercise &exercise, const Cell &cell);

// Once the Überschlag stands: "Das Ergebnis muss ungefähr 210 000 sein."
QString estimateNotice(const WrittenMultiplication &written);
