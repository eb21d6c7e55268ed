#pragma once

#include "games/memory/memory_game.h"
#include "widgets/design_scaler.h"

#include <QWidget>

struct Services;
class ClickableLabel;
class QFrame;

// memo: the Memory reward game. Shows the board of its MemoryGame and hands every field
// click to it; winning or quitting brings back the trainer that offered the game.
class MemoryWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MemoryWindow(Services &services, QWidget *parent = nullptr);

    const MemoryGame &game() const { return m_game; }

    void clickField(int k);
    // "Beenden": asks, and on Yes goes back to the trainer with the board kept.
    void askQuit();
    void showRules();
    // A new child: the game in progress is thrown away, the next one deals a new board.
    void startNewChild();

    // The background of a covered or uncovered field (the border colour of Figur3).
    static QColor fieldColour();
    // The background of a matched pair.
    static QColor markedColour();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void render();
    void GameWon();

    Services &m_services;
    MemoryGame m_game;
    ClickableLabel *m_fields[MemoryGame::fieldCount] = {};
    bool m_centred = false;
    DesignScaler m_scaler;
};
