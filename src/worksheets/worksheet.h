#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class RandomSource;
struct PrintDocument;

// The worksheet of each trainer: rows of random problems written as on paper, in
// fixed-pitch text. Line i of a sheet is line i of the trainer's sheet list.
enum class SheetKind { OneRow, TwoRow, ThreeRow };

// How the partial products of the higher multiplier digits are written: right-aligned
// with their zeros (flush) or shifted left without them (staircase).
enum class SheetDisplay { Flush, Staircase };

// The problem sheet hides every partial product and product behind an answer rule; the
// solution sheet shows the sheet as it stands.
enum class SheetPass { Problems, Solutions };

// "Einreihige Multiplikation", "Zweireihige ..." or "Dreireihige ...".
QString sheetTitle(SheetKind kind);
// The page title: "Einreihige Multiplikation (Rechenblatt)" and so on.
QString pageTitle(SheetKind kind, SheetPass pass);

// Draws a new sheet from `random`, cell by cell and row by row.
QStringList buildSheet(SheetKind kind, RandomSource &random,
                       SheetDisplay display = SheetDisplay::Flush);

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
