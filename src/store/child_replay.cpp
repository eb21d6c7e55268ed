#include "store/child_replay.h"

struct ChildReplay::Trainer
{
    explicit Trainer(Score &score) : session(score) {}
    TrainingSession session;
    bool counted = false; // the problem on screen is solved and counted
};

ChildReplay::ChildReplay(Training &training, Start start)
    : m_training(training)
{
    if (start == Start::Afresh)
        m_training.startNewChild();
}

ChildReplay::~ChildReplay() = default;

ChildReplay::Trainer &ChildReplay::at(TrainerKind trainer)
{
    auto &t = m_trainers[std::size_t(trainer)];
    if (!t)
        t = std::make_unique<Trainer>(m_training.score(trainer));
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
        // The session hands its problems to the statistics only once it records the
        // digits itself; until then the replay does what the trainer window does.
        m_training.statistics.startProblem(event.trainer, t.session.exercise().problemText());
        return;
    }
    case PracticeEvent::Kind::DigitWritten: {
        if (!t.session.hasExercise()) {
            ++m_skipped;
            return;
        }
        const DropOutcome outcome = t.session.drop(event.digit.cell, event.digit.digit);
        if (outcome.verdict == DropOutcome::Verdict::Refused) {
            ++m_skipped;
            return;
        }
        m_training.statistics.recordDrop(event.trainer, t.session.exercise(), event.digit.cell,
                                         event.digit.digit, outcome.verdict == DropOutcome::Verdict::Right);
        if (outcome.solved) {
            t.counted = true;
            m_training.statistics.solved(event.trainer, t.session.exercise().isGap());
        }
        return;
    }
    case PracticeEvent::Kind::ProblemSolved:
        // A problem whose last zeros the staircase hid is solved by the change of display,
        // which the history does not hold.
        if (t.session.hasExercise() && !t.counted) {
            const WrittenDisplay display = t.session.exercise().display();
            const DropOutcome outcome = t.session.setDisplay(display == WrittenDisplay::Flush
                                                                 ? WrittenDisplay::Staircase
                                                                 : WrittenDisplay::Flush);
            if (outcome.solved) {
                t.counted = true;
                m_training.statistics.solved(event.trainer, t.session.exercise().isGap());
            }
        }
        return;
    case PracticeEvent::Kind::RewardTaken:
        if (event.reward == RewardKind::Memory)
            t.session.takeMemory();
        return;
    }
}
