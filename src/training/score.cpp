#include "training/score.h"

bool Score::awardPoint()
{
    ++m_points;
    return m_points % pointsPerCatching == 0;
}

bool Score::countSolved()
{
    ++m_solved;
    return isMemoryDue();
}
