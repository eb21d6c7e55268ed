#pragma once

#include "training/diagnosis.h"

#include <QString>
#include <QVarLengthArray>

class Exercise;

// The steps of the written method the program follows for each child, besides the
// times-table facts. A new skill is one line here and one in methodSkillTable (skills.cpp),
// and the steps that use it in skillsOfStep().
enum class MethodSkill {
    Carrying,        // the carry of a product row: added to the next column, written as its tens
    CarryIntoZero,   // a carry that comes into a zero of the multiplicand
    PartialPlace,    // a partial product in its place: its zeros, or the staircase
    Addition,        // adding the partial products with the carries of the addition
    AdditionCarries, // the carry boxes of the addition
    Estimate,        // the Überschlag: rounding the operands and multiplying the rounded ones
};
constexpr int methodSkillCount = 6;

// One skill: a times-table fact x · m (multiplicand digit x 0-9, multiplier digit m 2-9) or
// a step of the method. Skills are numbered 0 to skillCount - 1, the facts first.
class Skill
{
public:
    static constexpr int factCount = 10 * 8;

    constexpr Skill() = default;

    // Precondition: 0 <= x <= 9, 2 <= m <= 9.
    static constexpr Skill fact(int x, int m) { return Skill(x * 8 + (m - 2)); }
    static constexpr Skill method(MethodSkill skill) { return Skill(factCount + int(skill)); }
    static constexpr Skill fromIndex(int index) { return Skill(index); }

    constexpr int index() const { return m_index; }
    constexpr bool isFact() const { return m_index < factCount; }
    // For a fact: its multiplicand digit and its multiplier digit.
    constexpr int x() const { return m_index / 8; }
    constexpr int m() const { return m_index % 8 + 2; }
    // For a step of the method.
    constexpr MethodSkill methodSkill() const { return MethodSkill(m_index - factCount); }

    constexpr bool operator==(Skill other) const { return m_index == other.m_index; }
    constexpr bool operator!=(Skill other) const { return m_index != other.m_index; }

private:
    constexpr explicit Skill(int index) : m_index(index) {}
    int m_index = 0;
};

constexpr int skillCount = Skill::factCount + methodSkillCount;

// The steps of the method in the order of the report.
const QList<MethodSkill> &methodSkills();
// "7 · 8", "Übertrag beim Malnehmen", ...
QString skillName(Skill skill);

using SkillList = QVarLengthArray<Skill, 4>;

// The skills the digit of an answer cell shows, on the display the pupil sees: those where
// a wrong use would change the digit. A result digit of a partial product shows its fact
// x · m; where a carry came in, carrying (or, into a zero of the multiplicand, the carry
// into a zero); a carry (a box, or the leading digit of a partial product) shows carrying
// where the carry that came in changes it. A zero of a partial product, and a digit of a
// shifted partial product that differs from the digits written beside it, show its place.
// A digit of the sum shows the addition where a carry came in; a carry box of the addition
// its own skill; a digit of the Überschlag the Überschlag. Operand digits show none.
SkillList skillsOfStep(const Exercise &exercise, const Cell &cell);

// The steps of the method a kind of error can blame anywhere ("Einmaleins" blames facts, none
// of these): what a report that names the kind cannot call "sicher".
QList<MethodSkill> methodSkillsOf(ErrorKind kind);

// What a wrong digit tells about the skills, given the kinds it fits.
struct SkillEvidence
{
    SkillList wrong; // the skills that failed
    SkillList right; // the skills the digit shows used right
};
// Each kind blames its skill: the carry kinds carrying (or, on a zero of the multiplicand,
// the carry into a zero), "Einmaleins" the fact, "Null vergessen" and "Stelle verrutscht" in
// a partial product its place, "Stelle verrutscht" in the sum and "Übertrag beim Addieren
// vergessen" the addition. A digit that several kinds fit blames all their skills. Where
// every kind it fits computed x · m right ("Übertrag vergessen", "Zehner statt Einer",
// "Einer als Übertrag"), the fact of a result digit counts as right. On a carry box of the
// addition every kind blames the carry boxes of the addition. A digit that fits no kind
// blames every skill of its step.
SkillEvidence skillEvidence(const Exercise &exercise, const Cell &cell, KindSet kinds);
