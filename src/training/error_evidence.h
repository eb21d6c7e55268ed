#pragma once

#include "training/diagnosis.h"

#include <QStringList>

#include <array>
#include <optional>

// What the digits of one trainer say about a pattern in a child's errors. A single wrong
// digit proves little, and several kinds may fit it; a pattern shows itself by recurring, on
// several problems. So every wrong digit counts for every kind it fits, and a right digit
// (at the first try) counts against every kind that would have given a wrong digit there: a
// kind the right digits contradict more often than the wrong ones show it is refuted (a
// child who is one place off writes every digit off, not only those a kind shares with the
// shift). Counts only: the size does not grow with the number of digits or problems.
class ErrorEvidence
{
public:
    // Problems kept per kind where it explained a wrong digit, the latest.
    static constexpr int problemsKept = 3;

    // The kinds not refuted that explain the most wrong digits. More than one where they
    // explain exactly the same digits and no right digit told them apart yet.
    struct Pattern
    {
        QList<ErrorKind> kinds;
        int explained = 0; // wrong digits each of them explains
        int errors = 0;    // all wrong digits of the trainer
        QStringList problems; // up to problemsKept where it appeared, the oldest first
        // It stands out: it explains wrong digits on at least two problems, at least three
        // of them and at least half of all.
        bool named = false;
    };

    // A new problem is on screen ("5123 · 47").
    void startProblem(const QString &problem);
    // A wrong digit on the problem on screen that `kinds` fit (none for a gap problem).
    void wrongDigit(KindSet kinds);
    // A right digit at the first try on a cell where `possible` kinds would have given a
    // wrong one. It contradicts each of them but "Einmaleins", which concerns single facts.
    void rightDigit(KindSet possible);

    int errors() const { return m_errors; }
    // Wrong digits that fit no kind.
    int unexplained() const { return m_unexplained; }
    int explained(ErrorKind kind) const { return m_explained[index(kind)]; }
    int explainedByBoth(ErrorKind a, ErrorKind b) const { return m_both[index(a)][index(b)]; }
    int contradicted(ErrorKind kind) const { return m_contradicted[index(kind)]; }
    // Right digits contradict it more often than wrong ones show it.
    bool refuted(ErrorKind kind) const { return contradicted(kind) > explained(kind); }
    // Problems on which the kind explained a wrong digit.
    int problems(ErrorKind kind) const { return m_problems[index(kind)]; }
    QStringList problemsShown(ErrorKind kind) const;

    // The kind the evidence so far favours among `kinds`: one not refuted, then the one that
    // explains the most wrong digits, then the one fewer right digits contradict, then the
    // first in the list.
    std::optional<ErrorKind> favoured(KindSet kinds) const;
    // Nothing before a kind not refuted explains a wrong digit.
    std::optional<Pattern> pattern() const;

    // Its members are written and read in training_snapshot.cpp: a new one goes there too.
    friend struct TrainingSnapshot;

private:
    static std::size_t index(ErrorKind kind) { return std::size_t(errorKindIndex(kind)); }

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
};
