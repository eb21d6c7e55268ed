#include "training/knowledge_tracing.h"

#include <limits>

SkillEstimates::SkillEstimates(const TracingParameters &parameters)
    : m_parameters(parameters)
{
    m_known.fill(parameters.prior);
}

void SkillEstimates::observe(Skill skill, bool right)
{
    const std::size_t i = std::size_t(skill.index());
    const double p = m_known[i];
    const double s = m_parameters.slip, g = m_parameters.guess;
    // What the digit says about the skill before it, then the chance to learn it at this digit.
    const double before = right ? p * (1 - s) / (p * (1 - s) + (1 - p) * g)
                                : p * s / (p * s + (1 - p) * (1 - g));
    m_known[i] = before + (1 - before) * m_parameters.learn;
    if (m_observations[i] < std::numeric_limits<quint16>::max())
        ++m_observations[i];
    if (!right && m_wrong[i] < std::numeric_limits<quint16>::max())
        ++m_wrong[i];
    m_lastTries[i] = quint8((m_lastTries[i] << 1) | (right ? 1 : 0));
}

SkillState SkillEstimates::state(Skill skill) const
{
    if (observations(skill) == 0)
        return SkillState::NotSeen;
    const double p = known(skill);
    const std::size_t i = std::size_t(skill.index());
    const unsigned run = (1u << masteryRun) - 1;
    if (p >= masteryLevel && observations(skill) >= masteryRun && (m_lastTries[i] & run) == run)
        return SkillState::Mastered;
    if (p < improvingLevel && wrong(skill) >= practisingErrors)
        return SkillState::Practising;
    return SkillState::Improving;
}

double SkillEstimates::expectedRight(double known) const
{
    return known * (1 - m_parameters.slip) + (1 - known) * m_parameters.guess;
}
