#include "training/error_evidence.h"

#include <algorithm>
#include <cmath>

void ErrorEvidence::startProblem(const QString &problem)
{
    m_problem = problem;
    ++m_problemNumber;
}

namespace {

// Slips: one digit in twenty wrong, half of them by one up or down, half any other digit.
constexpr double slipRate = 0.05;
// A child with a bug makes it at 9 of 10 of its occasions.
constexpr double bugRate = 0.9;
// A weak fact fails about half of its recalls.
constexpr double factFailRate = 0.5;

double slipChance(int digit, int right)
{
    const int distance = (digit - right + 10) % 10;
    return slipRate * ((distance == 1 || distance == 9 ? 0.25 : 0.0) + 0.5 / 9);
}

int bitCount(quint16 bits)
{
    int n = 0;
    for (; bits != 0; bits &= quint16(bits - 1))
        ++n;
    return n;
}

} // namespace

void ErrorEvidence::firstTry(const std::array<quint16, errorKindCount> &predicted, int digit, int right, int fact)
{
    const bool isRight = digit == right;
    quint16 occasion = 0, fitting = 0;
    for (std::size_t k = 0; k < std::size_t(errorKindCount); ++k) {
        occasion |= predicted[k] != 0 ? quint16(1u << k) : 0;
        fitting |= !isRight && (predicted[k] & (1u << digit)) ? quint16(1u << k) : 0;
    }
    for (ErrorKind kind : errorKinds()) {
        const std::size_t k = index(kind);
        const quint16 digits = predicted[k];
        if (digits == 0)
            continue;
        const bool fits = fitting & (1u << k);
        const bool onFact = kind == ErrorKind::TimesTable;
        if (onFact && (fact < 0 || fact >= Skill::factCount))
            continue;
        const double rate = onFact ? factFailRate : bugRate;
        double change = 0;
        if (isRight)
            change = std::log((1 - rate) / (1 - slipRate));
        else if (fits)
            change = std::log(rate / bitCount(digits) / slipChance(digit, right));
        if (onFact) {
            const std::size_t f = std::size_t(fact);
            m_factEvidence[f] += change;
            for (std::size_t other = 0; other < std::size_t(errorKindCount); ++other) {
                if (!(fitting & (1u << other)))
                    m_factBeyond[other][f] += change;
            }
            m_factOccasions[f] += m_factOccasions[f] < 0xffff;
            m_factFits[f] += fits && m_factFits[f] < 0xffff;
        } else {
            m_evidence[k] += change;
            m_rightRun[k] = fits ? 0 : m_rightRun[k] + (isRight ? 1 : 0);
            for (std::size_t other = 0; other < std::size_t(errorKindCount); ++other) {
                if (!(fitting & (1u << other)))
                    m_beyond[k][other] += change;
            }
            ++m_occasions[k];
            m_fits[k] += fits;
        }
    }
    for (ErrorKind kind : errorKinds()) {
        if (named(kind) && !mended(kind))
            m_everNamed |= quint16(1u << index(kind));
    }
    // Kinds told apart: one fits and the other not, or a right digit where one of them
    // predicted a wrong one and the other nothing.
    const quint16 all = quint16((1u << errorKindCount) - 1);
    const quint16 split = isRight ? occasion : fitting;
    if (split != 0) {
        for (std::size_t k = 0; k < std::size_t(errorKindCount); ++k) {
            if (split & (1u << k))
                m_apart[k] |= quint16(all & ~split);
            else
                m_apart[k] |= split;
        }
    }
}

void ErrorEvidence::wrongDigit(KindSet kinds)
{
    ++m_errors;
    if (kinds.isEmpty())
        ++m_unexplained;
    for (ErrorKind kind : kinds.kinds()) {
        const std::size_t k = index(kind);
        ++m_explained[k];
        for (ErrorKind other : kinds.kinds())
            ++m_both[k][index(other)];
        if (m_lastProblem[k] != m_problemNumber) {
            m_lastProblem[k] = m_problemNumber;
            m_shown[k][std::size_t(m_problems[k] % problemsKept)] = m_problem;
            ++m_problems[k];
        }
    }
}

void ErrorEvidence::rightDigit(KindSet possible)
{
    for (ErrorKind kind : possible.kinds())
        ++m_contradicted[index(kind)];
}

QStringList ErrorEvidence::problemsShown(ErrorKind kind) const
{
    const std::size_t k = index(kind);
    const int count = m_problems[k];
    QStringList list;
    for (int i = std::max(0, count - problemsKept); i < count; ++i)
        list << m_shown[k][std::size_t(i % problemsKept)];
    return list;
}

namespace {

// "Einmaleins" stands for the weak facts one by one: a bug of the method that upsets many
// facts a little must not add up to it. Its evidence is that of its weakest fact.
double weakestFact(const std::array<double, Skill::factCount> &facts)
{
    return *std::max_element(facts.begin(), facts.end());
}

} // namespace

double ErrorEvidence::evidence(ErrorKind kind) const
{
    return kind == ErrorKind::TimesTable ? weakestFact(m_factEvidence) : m_evidence[index(kind)];
}

double ErrorEvidence::evidenceBeyond(ErrorKind kind, ErrorKind other) const
{
    return kind == ErrorKind::TimesTable ? weakestFact(m_factBeyond[index(other)]) : m_beyond[index(kind)][index(other)];
}

int ErrorEvidence::occasions(ErrorKind kind) const
{
    if (kind != ErrorKind::TimesTable)
        return m_occasions[index(kind)];
    int all = 0, named = 0;
    for (std::size_t f = 0; f < m_factOccasions.size(); ++f) {
        all += m_factOccasions[f];
        named += m_factEvidence[f] >= namingLevel ? m_factOccasions[f] : 0;
    }
    return named > 0 ? named : all;
}

int ErrorEvidence::fits(ErrorKind kind) const
{
    if (kind != ErrorKind::TimesTable)
        return m_fits[index(kind)];
    int all = 0, named = 0;
    for (std::size_t f = 0; f < m_factFits.size(); ++f) {
        all += m_factFits[f];
        named += m_factEvidence[f] >= namingLevel ? m_factFits[f] : 0;
    }
    return named > 0 ? named : all;
}

bool ErrorEvidence::mended(ErrorKind kind) const
{
    return kind != ErrorKind::TimesTable && (m_everNamed & (1u << index(kind))) && m_rightRun[index(kind)] >= mendedRun;
}

QList<int> ErrorEvidence::namedFacts() const
{
    QList<int> facts;
    for (int f = 0; f < Skill::factCount; ++f) {
        if (m_factEvidence[std::size_t(f)] >= namingLevel)
            facts << f;
    }
    std::stable_sort(facts.begin(), facts.end(),
                     [this](int a, int b) { return m_factEvidence[std::size_t(a)] > m_factEvidence[std::size_t(b)]; });
    return facts;
}

std::optional<ErrorKind> ErrorEvidence::favoured(KindSet kinds) const
{
    std::optional<ErrorKind> best;
    for (ErrorKind kind : kinds.kinds()) {
        if (!best || evidence(kind) > evidence(*best))
            best = kind;
    }
    return best;
}

ErrorEvidence::Pattern ErrorEvidence::patternOf(ErrorKind kind) const
{
    Pattern pattern;
    for (ErrorKind other : errorKinds()) {
        if (other == kind || (fits(other) > 0 && !toldApart(kind, other)))
            pattern.kinds << other;
    }
    pattern.explained = explained(kind);
    pattern.errors = m_errors;
    pattern.fits = fits(kind);
    pattern.occasions = occasions(kind);
    pattern.evidence = evidence(kind);
    pattern.problems = problemsShown(kind);
    pattern.named = named(kind);
    return pattern;
}

std::optional<ErrorEvidence::Pattern> ErrorEvidence::pattern() const
{
    std::optional<ErrorKind> best;
    for (ErrorKind kind : errorKinds()) {
        if (fits(kind) > 0 && (!best || evidence(kind) > evidence(*best)))
            best = kind;
    }
    if (!best)
        return std::nullopt;
    return patternOf(*best);
}

QList<ErrorEvidence::Pattern> ErrorEvidence::patterns() const
{
    QList<ErrorKind> named;
    for (ErrorKind kind : errorKinds()) {
        if (this->named(kind) && fits(kind) > 0 && !mended(kind))
            named << kind;
    }
    std::stable_sort(named.begin(), named.end(), [this](ErrorKind a, ErrorKind b) { return evidence(a) > evidence(b); });
    QList<Pattern> list;
    KindSet said;
    QList<ErrorKind> chosen;
    for (ErrorKind kind : named) {
        if (said.contains(kind))
            continue;
        if (std::any_of(chosen.begin(), chosen.end(),
                        [&](ErrorKind stronger) { return evidenceBeyond(kind, stronger) < namingLevel; }))
            continue;
        chosen << kind;
        Pattern pattern = patternOf(kind);
        for (ErrorKind k : pattern.kinds)
            said.insert(k);
        list << pattern;
    }
    return list;
}
