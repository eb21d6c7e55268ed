#include "games/catching/catching_game.h"

#include "seams/random_source.h"

#include <algorithm>

CatchingGame::CatchingGame(RandomSource &random)
    : m_random(random)
{
}

CatchingGame::State CatchingGame::startState()
{
    State state;
    state.catcherColumn = 14;
    state.catcherRow = 9;
    for (int i = 1; i <= 10; ++i) {
        state.digitColumns[i] = i + 3;
        state.digitRows[i] = i + 3;
    }
    state.digitsLeft = QStringLiteral("0123456789");
    return state;
}

void CatchingGame::start(const State &state)
{
    m_state = state;
}

bool CatchingGame::move(Direction direction)
{
    if (isOver())
        return false;
    int &column = m_state.catcherColumn;
    int &row = m_state.catcherRow;
    switch (direction) {
    case Direction::Left: column = std::max(column - 1, firstColumn); break;
    case Direction::Right: column = std::min(column + 1, lastColumn); break;
    case Direction::Up: row = std::max(row - 1, firstRow); break;
    case Direction::Down: row = std::min(row + 1, lastRow); break;
    }
    return CheckCatch();
}

bool CatchingGame::tick()
{
    if (isOver())
        return false;
    auto &columns = m_state.digitColumns;
    auto &rows = m_state.digitRows;
    const auto clashes = [&](int i) {
        for (int j = 1; j < i; ++j) {
            if (columns[j] == columns[i] || rows[j] == rows[i])
                return true;
        }
        return false;
    };
    for (int i = 1; i <= m_state.digitsLeft.size(); ++i) {
        do {
            columns[i] = drawInt(m_random, lastColumn - firstColumn + 1, firstColumn);
            rows[i] = drawInt(m_random, lastRow - firstRow + 1, firstRow);
        } while (clashes(i));
    }
    return CheckCatch();
}

// Only the next digit can be caught; the cursor standing on a later one does nothing.
bool CatchingGame::CheckCatch()
{
    if (catcher() != digitCell(1))
        return false;
    auto &columns = m_state.digitColumns;
    auto &rows = m_state.digitRows;
    const int left = int(m_state.digitsLeft.size());
    for (int i = 1; i < left; ++i) {
        columns[i] = columns[i + 1];
        rows[i] = rows[i + 1];
    }
    m_state.digitsLeft.remove(0, 1);
    return isOver();
}
