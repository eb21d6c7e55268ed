#pragma once

#include "arithmetic/written_multiplication.h"

#include <QList>
#include <QString>

#include <optional>

// A control of a trainer window and the cell of the written multiplication it shows.
struct NamedCell
{
    QString name;
    Cell cell;
};

using CellTable = QList<NamedCell>;

std::optional<Cell> cellNamed(const CellTable &table, const QString &name);
// The name of the control that shows `cell`, or nothing.
QString nameOfCell(const CellTable &table, const Cell &cell);

// The controls of the Überschlag line of `written`, from the left: the boxes `Ueberschlag1`,
// `Ueberschlag2`, … for the digits the pupil writes (estimateLine()), and
// `estimateMultiplier1`, … for the digits of a multiplier the line gives as written. How
// many there are depends on the problem.
CellTable estimateTable(const WrittenMultiplication &written);

// Where a cell stands in the written computation, for screen readers: "Erste Zahl,
// Hunderterstelle", "Zweite Zahl, erste Null", "Übertrag der Zehnerspalte",
// "1. Teilprodukt, Einerstelle", "Ergebnis, Zehnerstelle", "Überschlag, erste Zahl gerundet,
// Tausenderstelle". A carry is named by the column it comes out of.
QString cellDescription(const WrittenMultiplication &written, const Cell &cell);
