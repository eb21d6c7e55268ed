#include "training/training_session.h"

#include "training/estimate_hints.h"
#include "training/practice_log.h"

#include <QDateTime>

qint64 TrainingSession::now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

void TrainingSession::deal()
{
    start(m_dealer(m_training.childToFit()));
}

void TrainingSession::start(Exercise exercise)
{
    if (m_training.estimateFirst && !exercise.isGap())
        exercise = exercise.withEstimate();
    m_exercise = std::move(exercise);
    m_solved = false;
    m_wrongField.reset();
    m_tried.clear();
    m_training.statistics.startProblem(m_trainer, m_exercise->problemText());
    if (PracticeLog *log = m_training.practiceLog) {
        const WrittenMultiplication &written = m_exercise->written();
        ProblemRecord record;
        record.trainer = m_trainer;
        record.multiplicand = written.multiplicand();
        record.multiplierDigits = written.multiplierDigits();
        record.multiplierZeros = written.multiplierZeros();
        record.gap = m_exercise->isGap();
        record.blanks = m_exercise->blanks();
        record.estimate = m_exercise->hasEstimate();
        record.display = m_exercise->display();
        log->problemStarted(record, now());
    }
}

DropOutcome TrainingSession::drop(const Cell &cell, std::optional<int> digit)
{
    DropOutcome outcome;
    if (!m_exercise || m_solved || !m_exercise->isField(cell))
        return outcome;
    const bool right = m_exercise->drop(cell, digit) == Exercise::Verdict::Right;
    Score &score = m_training.score(m_trainer);
    if (right) {
        outcome.verdict = DropOutcome::Verdict::Right;
        outcome.catchingDue = score.awardPoint();
    } else {
        outcome.verdict = DropOutcome::Verdict::Wrong;
        score.countError();
    }
    outcome.kinds = m_training.statistics.recordDrop(m_trainer, *m_exercise, cell, digit, right);
    const bool firstTry = digit && !m_tried.contains(cell);
    if (firstTry)
        m_tried.insert(cell);
    if (PracticeLog *log = m_training.practiceLog)
        log->digitWritten(DigitRecord{m_trainer, cell, digit, right, firstTry}, now());

    if (right) {
        m_wrongField.reset();
        outcome.hintChanged = true;
        outcome.hint = restingLine();
    } else {
        const bool again = m_wrongField == cell;
        m_wrongField = cell;
        outcome.favouredKind = m_training.statistics.favouredKind(m_trainer, outcome.kinds);
        // The hints see the problem as it stands on screen: its display and the digits
        // written; the question asks about the kind the child's errors so far point to.
        if (m_training.hintsShown && m_exercise->written().contains(cell)) {
            outcome.hintChanged = true;
            outcome.hint = again ? workedHint(*m_exercise, cell) : stepHint(*m_exercise, cell, outcome.favouredKind);
        }
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
    m_wrongField.reset();
    if (!m_solved)
        testSolved(outcome);
    return outcome;
}

std::optional<Hint> TrainingSession::restingLine() const
{
    if (m_exercise && m_exercise->hasEstimate() && m_exercise->isEstimateWritten() && !m_exercise->isSolved())
        return Hint{estimateNotice(m_exercise->written()), {}};
    return std::nullopt;
}

void TrainingSession::takeMemory()
{
    m_training.score(m_trainer).takeMemory();
    if (PracticeLog *log = m_training.practiceLog)
        log->rewardTaken(m_trainer, RewardKind::Memory, now());
}

void TrainingSession::takeCatching()
{
    if (PracticeLog *log = m_training.practiceLog)
        log->rewardTaken(m_trainer, RewardKind::Catching, now());
}

void TrainingSession::testSolved(DropOutcome &outcome)
{
    if (!m_exercise->isSolved())
        return;
    m_solved = true;
    outcome.solved = true;
    outcome.memoryDue = m_training.score(m_trainer).countSolved();
    m_training.statistics.solved(m_trainer, m_exercise->isGap());
    if (PracticeLog *log = m_training.practiceLog)
        log->problemSolved(m_trainer, now());
    outcome.hintChanged = true;
    outcome.hint.reset();
}
