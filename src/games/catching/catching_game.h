#pragma once

#include <QPoint>
#include <QString>
#include <array>

class RandomSource;

// The rules of Zahlfange: the digits 0 to 9 jump to new cells of the grid at every step,
// and the "+" cursor must catch them in order. The state is the cursor cell, one cell per
// remaining digit and the digits left; entry i of the tables belongs to character i of
// the digits left (both from 1).
class CatchingGame
{
public:
    struct State
    {
        static constexpr int tableSize = 21; // entries 0 to 20; 1 to 10 are used

        int catcherColumn = 14;
        int catcherRow = 9;
        std::array<int, tableSize> digitColumns{};
        std::array<int, tableSize> digitRows{};
        QString digitsLeft;
    };

    static constexpr int firstColumn = 1;
    static constexpr int lastColumn = 24;
    static constexpr int firstRow = 3;
    static constexpr int lastRow = 16;

    enum class Direction { Left, Up, Down, Right };

    explicit CatchingGame(RandomSource &random);

    // Where every game starts: the cursor at (14, 9), digit i (1 to 10) at (i + 3, i + 3),
    // all of "0123456789" left.
    static State startState();
    // A new game from the start.
    void start() { start(startState()); }
    // A game that goes on from `state`.
    void start(const State &state);

    // One step of the cursor, clamped to the grid. True when it caught the last digit.
    bool move(Direction direction);
    // One timer step: every remaining digit jumps to a new cell, no two sharing a column
    // or a row. True when a jump caught the last digit.
    bool tick();

    const State &state() const { return m_state; }
    QPoint catcher() const { return {m_state.catcherColumn, m_state.catcherRow}; }
    const QString &digitsLeft() const { return m_state.digitsLeft; }
    // The cell of the i-th remaining digit, i from 1.
    QPoint digitCell(int i) const { return {m_state.digitColumns[i], m_state.digitRows[i]}; }
    // The digit to catch next; empty once all are caught.
    QString nextDigit() const { return m_state.digitsLeft.left(1); }
    bool isOver() const { return m_state.digitsLeft.isEmpty(); }

private:
    bool CheckCatch();

    RandomSource &m_random;
    State m_state;
};
