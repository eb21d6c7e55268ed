#pragma once

#include "training/skills.h"

#include <array>

// Bayesian knowledge tracing (Corbett & Anderson 1995): for each skill the probability that
// the child knows it, updated by every digit that shows the skill, right or wrong.
struct TracingParameters
{
    double prior; // known before the first digit
    double learn; // learnt at a digit that shows it, if not known before
    double guess; // right although not known
    double slip;  // wrong although known
};

// For a digit box: a child who does not know the step writes the right one of ten digits by
// chance about 1 time in 10, one who knows it slips about 1 time in 10; a skill starts as
// probably not known and is learnt slowly. (The defaults of the usual fitting tools, guess and
// slip 0.2 and learn 0.4, rate a child right on half of its tries as mastered after ten.)
constexpr TracingParameters defaultTracing{0.3, 0.1, 0.1, 0.1};
// Mastery at an estimate of 0.95 (Corbett & Anderson 1995), and the last `masteryRun` first
// tries right: an estimate alone trusts a few lucky digits.
constexpr double masteryLevel = 0.95;
constexpr int masteryRun = 4;
// From here on a skill "wird sicherer".
constexpr double improvingLevel = 0.7;
// A skill "übt noch" only after this many wrong first tries: one slip proves nothing.
constexpr int practisingErrors = 2;

// How far a child has come with a skill, as the report groups it.
enum class SkillState {
    NotSeen,    // no digit has shown it yet
    Practising, // "übt noch"
    Improving,  // "wird sicherer"
    Mastered,   // "sicher"
};

// The estimates of one child for every skill. Fixed size, whatever the length of the run.
class SkillEstimates
{
public:
    explicit SkillEstimates(const TracingParameters &parameters = defaultTracing);

    // A digit showed the skill, right or wrong.
    void observe(Skill skill, bool right);

    // The probability that the child knows the skill.
    double known(Skill skill) const { return m_known[std::size_t(skill.index())]; }
    // How many digits have shown it, and how many of them were wrong.
    int observations(Skill skill) const { return m_observations[std::size_t(skill.index())]; }
    int wrong(Skill skill) const { return m_wrong[std::size_t(skill.index())]; }
    SkillState state(Skill skill) const;
    // The probability that the next digit showing the skill is right.
    double expectedRight(Skill skill) const { return expectedRight(known(skill)); }
    // The same for a step the child knows with probability `known`.
    double expectedRight(double known) const;

    const TracingParameters &parameters() const { return m_parameters; }

    // Its members are written and read in training_snapshot.cpp: a new one goes there too.
    friend struct TrainingSnapshot;

private:
    TracingParameters m_parameters;
    std::array<double, skillCount> m_known;
    std::array<quint16, skillCount> m_observations{};
    std::array<quint16, skillCount> m_wrong{};
    std::array<quint8, skillCount> m_lastTries{}; // bit 0 the latest, set where right
};
