#pragma once

#include <QPoint>

class DesignScaler;
class QLabel;
class QString;
class QWidget;
class Score;

// Points and errors of a trainer, each with its mirror label, and the star that climbs its
// track one step per solved problem: where Memory is offered, and where the star waits
// until the pupil takes the reward. Its controls are the window's own; it only lays them
// out and writes them.
class ScoreBar
{
public:
    // "Punkte:" and "Fehler:" stand at `points` and `errors`, each 124 px wide.
    ScoreBar(QWidget *window, DesignScaler &scaler, QPoint points, QPoint errors);

    void show(const Score &score);

private:
    DesignScaler &m_scaler;
    QLabel *m_points = nullptr;
    QLabel *m_pointsMirror = nullptr;
    QLabel *m_errors = nullptr;
    QLabel *m_errorsMirror = nullptr;
    QLabel *m_marker = nullptr;
};
