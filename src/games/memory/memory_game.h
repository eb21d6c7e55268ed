#pragma once

#include <QString>
#include <array>

class RandomSource;

// The rules of the Memory game: 18 covered fields hide the digits 1 to 9 twice each; the
// player uncovers two at a time and keeps the equal pairs. The board is dealt on the first
// click after a reset and survives leaving the game, so a quit game goes on where it was.
class MemoryGame
{
public:
    static constexpr int fieldCount = 18;

    enum class Outcome {
        Ignored,   // a matched field, or the uncovered field clicked again
        Uncovered, // the field shows its pair text
        Matched,   // the field completed a pair
        Won,       // the field completed the last pair
    };

    explicit MemoryGame(RandomSource &random);

    // A click on field k (1 to 18).
    Outcome HandleFieldClick(int k);
    // Covers and unmarks every field; the next click deals a new board.
    void ResetBoard();

    bool isDealt() const { return m_dealt; }
    // Character i is the digit hidden in field i + 1.
    const QString &board() const { return m_board; }
    // Character i is '1' while field i + 1 is in play and '0' once it is matched.
    const QString &openState() const { return m_open; }
    // The uncovered fields of the current turn (0 = none) and the field clicked last.
    int first() const { return m_first; }
    int second() const { return m_second; }
    int lastClicked() const { return m_lastClicked; }

    // What field k shows: empty while covered, its pair text while uncovered or matched.
    QString caption(int k) const;
    bool isMarked(int k) const { return m_marked[k - 1]; }

    // The digit d with its partner to ten: 3 reads "3 * 7".
    static QString pairText(int digit);

private:
    void DealBoard();
    void CoverPair();
    void MarkPair();
    int digitAt(int k) const { return m_board.at(k - 1).digitValue(); }

    RandomSource &m_random;
    bool m_dealt = false;
    QString m_board;
    QString m_open;
    int m_first = 0;
    int m_second = 0;
    int m_lastClicked = 0;
    std::array<bool, fieldCount> m_shown{};
    std::array<bool, fieldCount> m_marked{};
};
