#pragma once

#include "games/catching/catching_game.h"
#include "widgets/design_scaler.h"

#include <QWidget>

struct Services;
class QLabel;
class QScrollBar;
class QTimer;

// Form4: Zahlfange. Each time the program shows it, a new game starts and the timer Zeit1
// steps it; the window paints the model's grid and
// forwards the arrows, the keys and the speed bar.
class CatchingWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CatchingWindow(Services &services, QWidget *parent = nullptr);

    const CatchingGame &game() const { return m_game; }

    void moveCatcher(CatchingGame::Direction direction);
    // The handler of Zeit1: one game step.
    void step();
    // "ENDE" and Escape: asks, and on Yes stops the game.
    void askQuit();
    // Stops the timer and goes back to the trainer that offered the game.
    void StopGame();

    // Where grid cell (x, y) is drawn, in the coordinates of the playing area Figur1:
    // the cell sits at (14x, 14y) points on the form as designed, scaled with the window.
    QRect cellRect(QPoint cell) const;
    // The board as drawn against the board as designed.
    qreal boardScale() const;
    static QColor digitColour();
    static QColor catcherColour();
    static QColor backgroundColour();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void afterStep(bool caughtLast);
    void stopTimer();
    void render();

    Services &m_services;
    CatchingGame m_game;
    QWidget *m_board = nullptr;
    QLabel *m_next = nullptr;
    QScrollBar *m_speed = nullptr;
    QTimer *m_timer = nullptr;
    DesignScaler m_scaler;
};
