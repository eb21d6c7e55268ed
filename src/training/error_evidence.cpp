#include "training/error_evidence.h"

#include <tuple>

void ErrorEvidence::startProblem(const QString &problem)
{
    m_problem = problem;
    ++m_problemNumber;
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
    for (ErrorKind kind : possible.kinds()) {
        // A times-table slip concerns one fact: a right digit of another says nothing against it.
        if (kind != ErrorKind::TimesTable)
            ++m_contradicted[index(kind)];
    }
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

std::optional<ErrorKind> ErrorEvidence::favoured(KindSet kinds) const
{
    std::optional<ErrorKind> best;
    const auto key = [this](ErrorKind kind) { return std::tuple(!refuted(kind), explained(kind), -contradicted(kind)); };
    for (ErrorKind kind : kinds.kinds()) {
        if (!best || key(kind) > key(*best))
            best = kind;
    }
    return best;
}

std::optional<ErrorEvidence::Pattern> ErrorEvidence::pattern() const
{
    KindSet explaining;
    for (ErrorKind kind : errorKinds()) {
        if (explained(kind) > 0 && !refuted(kind))
            explaining.insert(kind);
    }
    const std::optional<ErrorKind> best = favoured(explaining);
    if (!best)
        return std::nullopt;
    Pattern pattern;
    const int n = explained(*best);
    for (ErrorKind kind : errorKinds()) {
        // Told apart by a wrong digit only one of them fits, or by a right digit where only
        // one of them would have been wrong.
        if (kind == *best
            || (explained(kind) == n && explainedByBoth(*best, kind) == n && contradicted(kind) == contradicted(*best)))
            pattern.kinds << kind;
    }
    pattern.explained = n;
    pattern.errors = m_errors;
    pattern.problems = problemsShown(*best);
    pattern.named = problems(*best) >= 2 && n >= 3 && 2 * n >= m_errors;
    return pattern;
}
