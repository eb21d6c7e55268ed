#pragma once

// Points, errors and the progress marker of one trainer. They live as long as the program
// runs; the trainer window only shows them.
class ScoreBoard
{
public:
    static constexpr int markerStart = 4680; // twips, bottom of the track
    static constexpr int markerStep = 240;
    static constexpr int markerGoal = 360;   // at or above this the Memory reward is due
    static constexpr int pointsPerReward = 50;

    int points() const { return m_points; }
    int errors() const { return m_errors; }
    int markerTop() const { return m_markerTop; }
    // Problems solved since the marker last started at the bottom.
    int solvedSinceReset() const { return (markerStart - m_markerTop) / markerStep; }

    // One right digit; true when the points reach a multiple of 50 (Zahlfange is due).
    bool AwardPoint();
    // One refused digit.
    void countError() { ++m_errors; }
    // One solved problem; true when the marker has reached the top (Memory is due).
    bool AdvanceProgressMarker();
    // The Memory reward was taken: the marker starts again at the bottom.
    void resetMarker() { m_markerTop = markerStart; }

private:
    int m_points = 0;
    int m_errors = 0;
    int m_markerTop = markerStart;
};
