#include "training/training_session.h"

void TrainingSession::start(Exercise exercise)
{
    m_exercise = std::move(exercise);
    m_solved = false;
}

DropOutcome TrainingSession::drop(const Cell &cell, std::optional<int> digit)
{
    DropOutcome outcome;
    if (!m_exercise || m_solved || !m_exercise->isField(cell))
        return outcome;
    if (m_exercise->drop(cell, digit) == Exercise::Verdict::Right) {
        outcome.verdict = DropOutcome::Verdict::Right;
        outcome.catchingDue = m_score.awardPoint();
    } else {
        outcome.verdict = DropOutcome::Verdict::Wrong;
        m_score.countError();
    }
    testSolved(outcome);
    return outcome;
}

DropOutcome TrainingSession::setDisplay(WrittenDisplay display)
{
    DropOutcome outcome;
    if (!m_exercise)
        return outcome;
    m_exercise->setDisplay(display);
    if (!m_solved)
        testSolved(outcome);
    return outcome;
}

void TrainingSession::testSolved(DropOutcome &outcome)
{
    if (!m_exercise->isSolved())
        return;
    m_solved = true;
    outcome.solved = true;
    outcome.memoryDue = m_score.countSolved();
}
