#pragma once

#include "store/practice_event.h"
#include "training/session_statistics.h"
#include "training/training_session.h"

#include <array>
#include <memory>

// Rebuilds what the tutor knows about a child, and its points, errors and progress towards
// Memory, by playing its history through the sessions the trainers use, one event at a
// time, so that a year of history needs no more memory than a day. A better tutor later
// reads the same history and concludes anew.
class ChildReplay
{
public:
    enum class Start { Afresh, AsItIs };
    // `training` starts afresh (its switches stay), or goes on from a snapshot of the history
    // up to the end of a sitting. Its practice log rests while the history is read.
    explicit ChildReplay(Training &training, Start start = Start::Afresh);
    ~ChildReplay();

    void apply(const PracticeEvent &event);
    // Events the history holds that could not be played (a problem that is no written
    // multiplication, a digit without its problem).
    int skipped() const { return m_skipped; }

private:
    struct Trainer;
    Trainer &at(TrainerKind trainer);

    Training &m_training;
    PracticeLog *m_log;
    bool m_estimateFirst;
    std::array<std::unique_ptr<Trainer>, trainerKindCount> m_trainers;
    int m_skipped = 0;
};
