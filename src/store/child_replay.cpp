#include "store/child_replay.h"

struct ChildReplay::Trainer
{
    Trainer(Training &training, TrainerKind trainer) : session(training, trainer) {}
    TrainingSession session;
    bool counted = false; // the problem on screen is solved and counted
};

ChildReplay::ChildReplay(Training &training, Start start)
    : m_training(training)
    , m_log(training.practiceLog)
    , m_estimateFirst(training.estimateFirst)
{
    // The history is read, not written again; its problems stand as they were dealt, the
    // Überschlag included where they had one.
    m_training.practiceLog = nullptr;
    m_training.estimateFirst = false;
    if (start == Start::Afresh)
        m_training.startNewChild();
}

ChildReplay::~ChildReplay()
{
    m_training.practiceLog = m_log;
    m_training.estimateFirst = m_estimateFirst;
}

ChildReplay::Trainer &ChildReplay::at(TrainerKind trainer)
{
    auto &t = m_trainers[std::size_t(trainer)];
    if (!t)
        t = std::make_unique<Trainer>(m_training, trainer);
    return *t;
}

void ChildReplay::apply(const PracticeEvent &event)
{
    Trainer &t = at(event.trainer);
    switch (event.kind) {
    case PracticeEvent::Kind::ProblemStarted: {
        std::optional<Exercise> exercise = exerciseOf(event.problem);
        if (!exercise) {
            ++m_skipped;
            return;
        }
        t.counted = false;
        t.session.start(std::move(*exercise));
        return;
    }
    case PracticeEvent::Kind::DigitWritten: {
        if (!t.session.hasExercise()) {
            ++m_skipped;
            return;
        }
        const DropOutcome outcome = t.session.drop(event.digit.cell, event.digit.digit);
        if (outcome.verdict == DropOutcome::Verdict::Refused)
            ++m_skipped;
        else if (outcome.solved)
            t.counted = true;
        return;
    }
    case PracticeEvent::Kind::ProblemSolved:
        // A problem whose last zeros the staircase hid is solved by the change of display,
        // which the history does not hold.
        if (t.session.hasExercise() && !t.counted) {
            const WrittenDisplay display = t.session.exercise().display();
            t.counted = t.session
                            .setDisplay(display == WrittenDisplay::Flush ? WrittenDisplay::Staircase
                                                                         : WrittenDisplay::Flush)
                            .solved;
        }
        return;
    case PracticeEvent::Kind::RewardTaken:
        if (event.reward == RewardKind::Memory)
            t.session.takeMemory();
        return;
    }
}
