#pragma once

#include "arithmetic/written_multiplication.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The error patterns a wrong digit can show, in the order they are tried. In a column of a
// partial product x is the multiplicand digit, m the multiplier digit, c the carry that
// came in from the right and s = x·m + c.
enum class ErrorKind {
    CarryForgotten,         // "Übertrag vergessen": (x·m) mod 10, or the carry ⌊x·m/10⌋
    CarryAddedTooEarly,     // "Übertrag zu früh addiert": ((x + c)·m) mod 10
    TensForOnes,            // "Zehner statt Einer": ⌊s/10⌋ written as the digit
    OnesAsCarry,            // "Einer als Übertrag": s mod 10 written as the carry
    TimesTable,             // "Einmaleins": a neighbouring fact (x ± 1)·m or x·(m ± 1), plus c
    ZeroForgotten,          // "Null vergessen": in a zero's place, the digit to its left or the row's first
    PlaceShifted,           // "Stelle verrutscht": the digit of a neighbouring place
    AdditionCarryForgotten, // "Übertrag beim Addieren vergessen"
};

constexpr int errorKindCount = 8;

// All kinds, in the order they are tried.
const QList<ErrorKind> &errorKinds();
// The position of a kind in that order: 0 to errorKindCount - 1.
constexpr int errorKindIndex(ErrorKind kind)
{
    return int(kind);
}

// A set of error kinds, listed in the order of errorKinds().
class KindSet
{
public:
    constexpr KindSet() = default;
    static constexpr KindSet of(ErrorKind kind) { return KindSet(quint16(1u << errorKindIndex(kind))); }

    constexpr bool contains(ErrorKind kind) const { return m_bits & (1u << errorKindIndex(kind)); }
    constexpr bool isEmpty() const { return m_bits == 0; }
    void insert(ErrorKind kind) { m_bits |= quint16(1u << errorKindIndex(kind)); }
    int size() const;
    QList<ErrorKind> kinds() const;
    std::optional<ErrorKind> first() const;

    constexpr KindSet operator&(KindSet other) const { return KindSet(m_bits & other.m_bits); }
    constexpr KindSet operator|(KindSet other) const { return KindSet(m_bits | other.m_bits); }
    constexpr bool operator==(KindSet other) const { return m_bits == other.m_bits; }
    constexpr bool operator!=(KindSet other) const { return m_bits != other.m_bits; }

private:
    constexpr explicit KindSet(quint16 bits) : m_bits(bits) {}
    quint16 m_bits = 0;
};
// "Übertrag vergessen", ...
QString errorKindName(ErrorKind kind);
// The kind as a question to the pupil: "Hast du den Übertrag vergessen?"
QString errorKindQuestion(ErrorKind kind);

class Exercise;

// Whether `digit`, wrong on `cell` of the exercise, fits the definition of `kind`. A right
// digit (the exercise's expected digit) fits none, and no kind rests on a digit the
// exercise's display does not write: under the staircase the zeros of the partial
// products are neither a place to fill nor a neighbour to slip into.
//
// A result digit of a partial product can fit "Übertrag vergessen", "Übertrag zu früh
// addiert", "Zehner statt Einer" and "Einmaleins"; a carry, and the leading digit of a
// partial product (what its last column carries out), "Übertrag vergessen", "Einer als
// Übertrag" and "Einmaleins" (the tens of the neighbouring fact plus the carry). Any digit of a partial product or the sum can be "Stelle verrutscht", a zero
// "Null vergessen", a digit of the sum "Übertrag beim Addieren vergessen". A carry of the
// addition can be "Einer als Übertrag" (the ones of its column) or "Übertrag beim Addieren
// vergessen" (the tens of its column added up without the carry that came in). The
// times-table row below x·m exists only for x ≥ 1. Operand digits fit no kind.
bool fitsErrorKind(ErrorKind kind, const Exercise &exercise, const Cell &cell, int digit);
// Every kind whose definition a wrong digit fits.
KindSet fittingKinds(const Exercise &exercise, const Cell &cell, int digit);
// The kinds some wrong digit on the cell would fit: the mistakes the cell gives room to.
KindSet possibleKinds(const Exercise &exercise, const Cell &cell);
// Per kind (by errorKindIndex), the wrong digits on the cell that fit it, digit d as bit d.
// The definitions above are these sets; the functions around ask them.
std::array<quint16, errorKindCount> kindDigits(const Exercise &exercise, const Cell &cell);
// The first kind whose definition a wrong digit fits, or nothing. Gap problems name no kind:
// their callers do not ask.
std::optional<ErrorKind> diagnose(const Exercise &exercise, const Cell &cell, int digit);

// A hint line and the cells of the problem that its step uses (to highlight them).
struct Hint
{
    QString text;
    QList<Cell> cells;
};

// "Einerspalte", "Zehnerspalte", ... "Millionenspalte".
QString columnName(int place);
// "Einer", "Zehner", ... "Millionen": the place of a digit, as "Einerstelle" and "Einerspalte"
// begin.
QString placeWord(int place);
// "Einerstelle", "Zehnerstelle", ...
QString placeName(int place);

// The hints on a field of the exercise as it stands after a wrong digit (the field empty).
// They name only digits on screen, and carries as the pupil keeps them in mind: where the
// step needs a digit that is a blank on screen (a field left empty or knocked out), the
// hint names that blank to find first instead, and highlights it.
//
// After a first wrong digit: the column and its step without the answer ("Zehnerspalte:
// Rechne 4 · 7 und zähle den Übertrag 2 dazu."), then the kind as a question if one is
// given; for a missing operand digit of a gap problem the step worked backwards
// ("Einerspalte: Welche Ziffer mal 7 endet auf 8?"). Flush, the zeros of the partial
// products are added with the other digits of their column. The carry of an addition that
// stands in its box is the one "über dem Strich" ("Tausenderspalte: Addiere 4 + 5 und zähle
// den Übertrag 1 über dem Strich dazu.").
Hint stepHint(const Exercise &exercise, const Cell &cell, std::optional<ErrorKind> kind = std::nullopt);
// After a second wrong digit on the same cell: the step worked out ("4 · 7 = 28,
// 28 + 2 = 30: schreibe 0, merke 3.", "Hunderterspalte: 4 + 7 + 1 = 12: schreibe 2, merke
// 1."); on a carry box it ends with the carry, 0 included ("Zehnerspalte: 6 + 1 = 7:
// schreibe 7, merke 0."). A given digit of a gap problem that a wrong drop knocked out and
// whose step needs a blank gets its digit back ("Die Ziffer ist 4."), so knocked-out digits
// that need each other never send the pupil round in a circle.
Hint workedHint(const Exercise &exercise, const Cell &cell);
