#include "games/memory/memory_game.h"

#include "seams/random_source.h"

namespace {

const QString pairSource = QStringLiteral("112233445566778899");

} // namespace

MemoryGame::MemoryGame(RandomSource &random)
    : m_random(random)
{
}

QString MemoryGame::pairText(int digit)
{
    return QStringLiteral("%1 * %2").arg(digit).arg(10 - digit);
}

QString MemoryGame::caption(int k) const
{
    return m_shown[k - 1] ? pairText(digitAt(k)) : QString();
}

void MemoryGame::DealBoard()
{
    QString board(fieldCount, QLatin1Char('0'));
    for (int i = 0; i < fieldCount; ++i) {
        int p = 0;
        do {
            p = drawInt(m_random, fieldCount, 1);
        } while (board.at(p - 1) != QLatin1Char('0'));
        board[p - 1] = pairSource.at(i);
    }
    m_board = board;
    m_open = QString(fieldCount, QLatin1Char('1'));
    m_dealt = true;
    m_first = 0;
    m_second = 0;
}

MemoryGame::Outcome MemoryGame::HandleFieldClick(int k)
{
    m_lastClicked = k;
    if (!m_dealt)
        DealBoard();
    if (m_open.at(k - 1) == QLatin1Char('0'))
        return Outcome::Ignored;
    if (m_first != 0 && m_second != 0)
        CoverPair();

    m_shown[k - 1] = true;
    if (m_first == 0)
        m_first = k;
    else if (m_second == 0)
        m_second = k;

    if (m_second == m_first) {
        m_second = 0;
        return Outcome::Ignored;
    }
    if (m_second == 0 || digitAt(m_first) != digitAt(m_second))
        return Outcome::Uncovered;

    m_open[m_first - 1] = QLatin1Char('0');
    m_open[m_second - 1] = QLatin1Char('0');
    MarkPair();
    return m_open == QString(fieldCount, QLatin1Char('0')) ? Outcome::Won : Outcome::Matched;
}

void MemoryGame::CoverPair()
{
    if (m_first == m_second) {
        m_second = 0;
        m_lastClicked = m_first;
    } else if (m_open.at(m_first - 1) == QLatin1Char('1') || m_open.at(m_second - 1) == QLatin1Char('1')) {
        m_shown[m_first - 1] = false;
        m_shown[m_second - 1] = false;
    }
    m_first = 0;
    m_second = 0;
}

void MemoryGame::MarkPair()
{
    m_marked[m_first - 1] = true;
    m_marked[m_second - 1] = true;
    m_first = 0;
    m_second = 0;
}

void MemoryGame::ResetBoard()
{
    m_shown.fill(false);
    m_marked.fill(false);
    m_dealt = false;
}
