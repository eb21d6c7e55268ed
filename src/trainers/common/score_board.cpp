#include "trainers/common/score_board.h"

bool ScoreBoard::AwardPoint()
{
    ++m_points;
    return m_points % pointsPerReward == 0;
}

bool ScoreBoard::AdvanceProgressMarker()
{
    m_markerTop -= markerStep;
    return m_markerTop <= markerGoal;
}
