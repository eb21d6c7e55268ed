#pragma once

#include "training/diagnosis.h"
#include "training/skills.h"

#include <QStringList>

#include <array>
#include <optional>

// What the digits of one trainer say about a pattern in a child's errors. A single wrong
// digit proves little, and several kinds may fit it; a pattern shows itself by recurring at
// the places where it would give a wrong digit. So each kind is weighed at its occasions
// (the first tries at cells where it predicts a digit other than the right one) against
// slips: a log-likelihood ratio of "the child makes this mistake at 9 of 10 of its
// occasions" to "only slips on 1 digit in 20, most of them by one". A predicted digit counts
// for the kind, a right digit against it; another wrong digit says nothing, for a second
// mistake may have made it. "Einmaleins" is weighed per fact, a weak fact failing about
// half of its recalls; its evidence is that of the weakest fact.
// Besides, every wrong digit counts for every kind it fits, for the report's bars. Counts
// only: the size does not grow with the number of digits or problems.
class ErrorEvidence
{
public:
    // Problems kept per kind where it explained a wrong digit, the latest.
    static constexpr int problemsKept = 3;
    // The evidence at which a kind is named: a likelihood ratio of 1000 against slips alone.
    static constexpr double namingLevel = 6.9;

    // Kinds the digits cannot tell apart yet (one when nothing ties with it), with their
    // evidence.
    struct Pattern
    {
        QList<ErrorKind> kinds;
        int explained = 0; // wrong digits each of them explains
        int errors = 0;    // all wrong digits of the trainer
        int fits = 0;      // occasions of the first kind where the child wrote its digit
        int occasions = 0; // first tries at a cell where it predicts a wrong digit
        double evidence = 0;
        QStringList problems; // up to problemsKept where it appeared, the oldest first
        // The evidence reaches namingLevel.
        bool named = false;
    };

    // A new problem is on screen ("5123 · 47").
    void startProblem(const QString &problem);
    // The first try at a cell of a single problem: per kind the wrong digits it predicts there
    // (kindDigits), the digit written and the right one, and the fact x · m of a step of a
    // partial product (Skill::index, or -1).
    void firstTry(const std::array<quint16, errorKindCount> &predicted, int digit, int right, int fact);
    // A wrong digit on the problem on screen that `kinds` fit (none for a gap problem).
    void wrongDigit(KindSet kinds);
    // A right digit at the first try on a cell where `possible` kinds would have given a
    // wrong one.
    void rightDigit(KindSet possible);

    int errors() const { return m_errors; }
    // Wrong digits that fit no kind.
    int unexplained() const { return m_unexplained; }
    int explained(ErrorKind kind) const { return m_explained[index(kind)]; }
    int explainedByBoth(ErrorKind a, ErrorKind b) const { return m_both[index(a)][index(b)]; }
    int contradicted(ErrorKind kind) const { return m_contradicted[index(kind)]; }
    // Problems on which the kind explained a wrong digit.
    int problems(ErrorKind kind) const { return m_problems[index(kind)]; }
    QStringList problemsShown(ErrorKind kind) const;

    // The log-likelihood ratio of the kind against slips alone.
    double evidence(ErrorKind kind) const;
    // The same for one fact (Skill::index).
    double factEvidence(int fact) const { return m_factEvidence[std::size_t(fact)]; }
    bool named(ErrorKind kind) const { return evidence(kind) >= namingLevel; }
    // Occasions of the kind, and those where the child wrote its digit. For "Einmaleins":
    // those of the facts it names (the facts with evidence at naming level), else of all.
    int occasions(ErrorKind kind) const;
    int fits(ErrorKind kind) const;
    // The evidence of `kind` from the digits `other` does not explain: what it adds to it.
    double evidenceBeyond(ErrorKind kind, ErrorKind other) const;
    // A digit fitted one and not the other, or was right where only one predicted a wrong one.
    bool toldApart(ErrorKind a, ErrorKind b) const { return m_apart[index(a)] & (1u << index(b)); }
    // The evidence is below zero: its occasions show more right digits than it can bear.
    bool refuted(ErrorKind kind) const { return evidence(kind) < 0; }

    // A kind once named whose last `mendedRun` occasions the child wrote right: it stopped
    // making the mistake. Never "Einmaleins", whose facts the skills follow.
    static constexpr int mendedRun = 4;
    bool mended(ErrorKind kind) const;
    // The facts (Skill::index) whose own evidence reaches namingLevel, the strongest first.
    QList<int> namedFacts() const;

    // The kind the evidence so far favours among `kinds`: the strongest evidence, then the
    // first in the list.
    std::optional<ErrorKind> favoured(KindSet kinds) const;
    // The strongest kind that explains a wrong digit, with those not told apart from it.
    std::optional<Pattern> pattern() const;
    // Every named kind not mended, strongest first, each with those not told apart from it; a
    // weaker kind only where the digits the stronger ones do not explain name it on their own.
    QList<Pattern> patterns() const;

    // Its members are written and read in training_snapshot.cpp: a new one goes there too.
    friend struct TrainingSnapshot;

private:
    static std::size_t index(ErrorKind kind) { return std::size_t(errorKindIndex(kind)); }
    Pattern patternOf(ErrorKind kind) const;

    QString m_problem;
    quint64 m_problemNumber = 0;
    int m_errors = 0;
    int m_unexplained = 0;
    std::array<int, errorKindCount> m_explained{};
    std::array<std::array<int, errorKindCount>, errorKindCount> m_both{};
    std::array<int, errorKindCount> m_contradicted{};
    std::array<int, errorKindCount> m_problems{};
    std::array<quint64, errorKindCount> m_lastProblem{};
    std::array<std::array<QString, problemsKept>, errorKindCount> m_shown; // a ring
    std::array<double, errorKindCount> m_evidence{};
    std::array<int, errorKindCount> m_occasions{};
    std::array<int, errorKindCount> m_fits{};
    std::array<quint16, errorKindCount> m_apart{};
    std::array<int, errorKindCount> m_rightRun{}; // right first tries at its occasions since its last fit
    quint16 m_everNamed = 0;
    std::array<std::array<double, errorKindCount>, errorKindCount> m_beyond{};
    std::array<double, Skill::factCount> m_factEvidence{};
    std::array<std::array<double, Skill::factCount>, errorKindCount> m_factBeyond{};
    std::array<quint16, Skill::factCount> m_factOccasions{};
    std::array<quint16, Skill::factCount> m_factFits{};
};
