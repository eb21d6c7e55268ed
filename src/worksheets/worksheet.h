#pragma once

#include "training/trainer_kind.h"

#include "arithmetic/written_multiplication.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class RandomSource;
struct PrintDocument;

// The worksheet of each trainer: rows of random problems written as on paper, in
// fixed-pitch text. Line i of a sheet is line i of the trainer's sheet list.
using SheetKind = TrainerKind;

// Whether the sheets of a kind write partial products (the two- and three-row sheets).
bool writesPartialProducts(SheetKind kind);

// The problem sheet hides every partial product and product behind an answer rule; the
// solution sheet shows the sheet as it stands.
enum class SheetPass { Problems, Solutions };

// "Einreihige Multiplikation", "Zweireihige ..." or "Dreireihige ...".
QString sheetTitle(SheetKind kind);
// The page title: "Einreihige Multiplikation (Rechenblatt)" and so on.
QString pageTitle(SheetKind kind, SheetPass pass);
// The line under the title of every printout about a child, to write the name and the date
// on: printouts of several children can be told apart.
QString nameAndDateLine();

// One problem of a sheet; `block` counts the sheet's blocks from 0 (one-row: times ones,
// tens, hundreds).
struct SheetProblem
{
    qint64 multiplicand = 0;
    qint64 multiplier = 0;
    int block = 0;

    bool operator==(const SheetProblem &o) const
    {
        return multiplicand == o.multiplicand && multiplier == o.multiplier && block == o.block;
    }
};

// The problem as it is worked: a one-row sheet multiplies by one digit followed by the
// zeros of a tens or hundreds number, the other sheets by every digit of the multiplier.
WrittenMultiplication writtenOf(const SheetProblem &problem, bool partialProducts);

// Draws the problems of a new sheet from `random`, in the order the sheet writes them
// (cell by cell, row by row).
QList<SheetProblem> drawSheetProblems(SheetKind kind, RandomSource &random);
// The sheet's lines for those problems.
QStringList sheetText(SheetKind kind, const QList<SheetProblem> &problems,
                      WrittenDisplay display = WrittenDisplay::Flush);
// Draws a new sheet from `random`: sheetText(drawSheetProblems(...)).
QStringList buildSheet(SheetKind kind, RandomSource &random,
                       WrittenDisplay display = WrittenDisplay::Flush);

// The lines the problem sheet replaces, each with the answer rule it puts in their place.
QMap<int, QString> answerRules(SheetKind kind);
// `sheet` with those lines replaced.
QStringList problemSheet(SheetKind kind, const QStringList &sheet);

// The first line of every problem group: a page may break only before these.
QList<int> groupStarts(SheetKind kind);

// What the printer gets: a blank line, the page title, two blank lines, then the sheet
// (the problem sheet for SheetPass::Problems), every line from print column 5.
PrintDocument printDocument(SheetKind kind, const QStringList &sheet, SheetPass pass);

// The clipboard copy: the problem sheet, two line breaks, then the solution sheet; every
// line ends in CR LF.
QString clipboardText(SheetKind kind, const QStringList &sheet);

// The font the sheets are written in; any fixed-pitch font stands in where it is missing.
extern const char *const sheetFontFamily;
constexpr double sheetPointSize = 18;
