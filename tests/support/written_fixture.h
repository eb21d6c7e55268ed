#pragma once

#include "arithmetic/written_multiplication.h"

#include <QString>
#include <QStringList>

#include <optional>

// A written multiplication as a few lines of text, the way a test states it:
//
//   5123 · 47
//   carry    _001__      carries of partial product 0, one character per place
//   carry    __012_      ... of partial product 1
//   row      204920      partial product 0 (flush: with its zero; staircase: "20492_")
//   row      _35861
//   sumcarry 01100_      carries of the addition
//   sum      240781
//
// Every line after the first is a tag and the places from the widest place down to place
// 0, "_" where nothing is written. A multiplier whose digits after the first are all
// zeros is one digit followed by zeros ("4321 · 30"); a multiplication by one digit has
// no sumcarry and sum lines.
struct WrittenFixture
{
    WrittenMultiplication written;
    WrittenDisplay display;
};

// The problem of a first line such as "5123 · 47".
std::optional<WrittenMultiplication> parseProblem(const QString &line);
// A whole fixture; nothing if its first line is no problem.
std::optional<WrittenFixture> parseFixture(const QStringList &lines);
QStringList renderFixture(const WrittenMultiplication &written, WrittenDisplay display = WrittenDisplay::Flush);

// "PartialProduct 1 @ 2": a cell as a failing test prints it.
QString cellText(const Cell &cell);

class Exercise;

// What an exercise shows, in the lines of a fixture: the problem line with "_" for a blank
// operand digit, then the carries, the partial products (their zeros included) and, with
// a sum, the sum carries and the sum; "_" where the display writes nothing or the field is
// empty.
//
//   5123 · 47
//   carry    ______
//   carry    ______
//   row      _____0
//   row      _____1
//   sumcarry ______
//   sum      ______
//   estimate ____ · 50 = ______     the Überschlag, where the problem asks for it
QStringList renderShown(const Exercise &exercise);

// The cell `cellText` prints ("PartialProduct 1 @ 2"); nothing if the text is no cell.
std::optional<Cell> parseCell(const QString &text);
