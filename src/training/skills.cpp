#include "training/skills.h"

#include "training/exercise.h"

namespace {

using Rule = Computation::Rule;

struct MethodSkillName
{
    MethodSkill skill;
    const char *name;
};

// One line per step of the method, in the order of the report.
constexpr MethodSkillName methodSkillTable[] = {
    {MethodSkill::Carrying, "Übertrag beim Malnehmen"},
    {MethodSkill::CarryIntoZero, "Null in der ersten Zahl"},
    {MethodSkill::PartialPlace, "Nullen und Stellen der Teilprodukte"},
    {MethodSkill::Addition, "Addieren mit Übertrag"},
    {MethodSkill::AdditionCarries, "Überträge beim Addieren aufschreiben"},
    {MethodSkill::Estimate, "Überschlag"},
};
static_assert(std::size(methodSkillTable) == methodSkillCount);

bool contains(const SkillList &list, Skill skill)
{
    return std::find(list.begin(), list.end(), skill) != list.end();
}

void add(SkillList &list, Skill skill)
{
    if (!contains(list, skill))
        list.append(skill);
}

// The skill of the carry in a product step: into a zero of the multiplicand its own one.
Skill carrySkill(const Computation &step)
{
    return Skill::method(step.x == 0 ? MethodSkill::CarryIntoZero : MethodSkill::Carrying);
}

// The skill a wrong digit of this kind shows missing.
Skill blamedSkill(ErrorKind kind, const Computation &step, const Cell &cell)
{
    switch (kind) {
    case ErrorKind::CarryForgotten:
    case ErrorKind::CarryAddedTooEarly:
    case ErrorKind::TensForOnes:
    case ErrorKind::OnesAsCarry:
        return carrySkill(step);
    case ErrorKind::TimesTable:
        break; // the step's own fact, below
    case ErrorKind::ZeroForgotten:
        return Skill::method(MethodSkill::PartialPlace);
    case ErrorKind::PlaceShifted:
        return Skill::method(cell.part == Part::Sum ? MethodSkill::Addition : MethodSkill::PartialPlace);
    case ErrorKind::AdditionCarryForgotten:
        return Skill::method(MethodSkill::Addition);
    }
    return Skill::fact(step.x, step.m);
}

// Kinds in which the product of the times table came out right and only its carry went
// wrong: the fact was known.
bool leavesTheFactRight(ErrorKind kind)
{
    return kind == ErrorKind::CarryForgotten || kind == ErrorKind::TensForOnes
           || kind == ErrorKind::OnesAsCarry;
}

// The place of a digit of a partial product only shows where the digits written beside it
// differ from it: one place off, it would still be right otherwise. A zero is forgotten by
// writing the digit on its left.
bool placeShows(const Exercise &ex, const Cell &cell)
{
    const WrittenMultiplication &w = ex.written();
    const int digit = w.digit(cell);
    const auto differs = [&](int place) {
        const Cell beside{place < w.trailingZeros(cell.row) ? Part::Zero : Part::PartialProduct, cell.row, place};
        return !w.contains(beside) || !ex.isShown(beside) || w.digit(beside) != digit;
    };
    if (cell.part == Part::Zero)
        return w.lineDigit(Part::PartialProduct, cell.row, cell.place + 1).value_or(0) != 0;
    return differs(cell.place - 1) && differs(cell.place + 1);
}

} // namespace

const QList<MethodSkill> &methodSkills()
{
    static const QList<MethodSkill> skills = [] {
        QList<MethodSkill> list;
        for (const MethodSkillName &entry : methodSkillTable)
            list << entry.skill;
        return list;
    }();
    return skills;
}

QString skillName(Skill skill)
{
    if (skill.isFact())
        return QStringLiteral("%1 · %2").arg(skill.x()).arg(skill.m());
    for (const MethodSkillName &entry : methodSkillTable) {
        if (entry.skill == skill.methodSkill())
            return QString::fromUtf8(entry.name);
    }
    return QString();
}

SkillList skillsOfStep(const Exercise &ex, const Cell &cell)
{
    SkillList skills;
    const WrittenMultiplication &w = ex.written();
    if (!ex.isShown(cell) || cell.part == Part::Multiplicand || cell.part == Part::Multiplier)
        return skills;
    const Computation step = w.computation(cell);
    switch (step.rule) {
    case Rule::Given:
        break;
    case Rule::ProductDigit:
        skills.append(Skill::fact(step.x, step.m));
        if (step.c > 0)
            skills.append(carrySkill(step));
        break;
    case Rule::ProductCarry:
        // Without the carry that came in, the tens of x · m alone.
        if (step.c > 0 && step.x * step.m / 10 != step.value / 10)
            skills.append(carrySkill(step));
        break;
    case Rule::Zero:
        if (placeShows(ex, cell))
            skills.append(Skill::method(MethodSkill::PartialPlace));
        break;
    case Rule::SumDigit:
        if (step.c > 0)
            skills.append(Skill::method(MethodSkill::Addition));
        break;
    case Rule::SumCarry:
        skills.append(Skill::method(MethodSkill::AdditionCarries));
        break;
    case Rule::Estimate:
        skills.append(Skill::method(MethodSkill::Estimate));
        break;
    }
    if (cell.part == Part::PartialProduct && w.trailingZeros(cell.row) > 0 && placeShows(ex, cell))
        skills.append(Skill::method(MethodSkill::PartialPlace));
    return skills;
}

QList<MethodSkill> methodSkillsOf(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::CarryForgotten:
    case ErrorKind::CarryAddedTooEarly:
    case ErrorKind::TensForOnes: return {MethodSkill::Carrying, MethodSkill::CarryIntoZero};
    case ErrorKind::OnesAsCarry: return {MethodSkill::Carrying, MethodSkill::CarryIntoZero, MethodSkill::AdditionCarries};
    case ErrorKind::TimesTable: return {};
    case ErrorKind::ZeroForgotten: return {MethodSkill::PartialPlace};
    case ErrorKind::PlaceShifted: return {MethodSkill::PartialPlace, MethodSkill::Addition};
    case ErrorKind::AdditionCarryForgotten: return {MethodSkill::Addition, MethodSkill::AdditionCarries};
    }
    return {};
}

SkillEvidence skillEvidence(const Exercise &ex, const Cell &cell, KindSet kinds)
{
    SkillEvidence evidence;
    const SkillList used = skillsOfStep(ex, cell);
    if (kinds.isEmpty()) {
        evidence.wrong = used;
        return evidence;
    }
    const Computation step = ex.written().computation(cell);
    if (cell.part == Part::SumCarry) {
        evidence.wrong.append(Skill::method(MethodSkill::AdditionCarries));
        return evidence;
    }
    bool factRight = step.rule == Rule::ProductDigit;
    for (ErrorKind kind : kinds.kinds()) {
        add(evidence.wrong, blamedSkill(kind, step, cell));
        factRight = factRight && leavesTheFactRight(kind);
    }
    if (factRight && !contains(evidence.wrong, Skill::fact(step.x, step.m)))
        evidence.right.append(Skill::fact(step.x, step.m));
    return evidence;
}
