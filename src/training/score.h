#pragma once

// Points, errors and the problems solved towards the Memory reward of one trainer. They
// live as long as the program runs; the trainer window only shows them.
class Score
{
public:
    static constexpr int pointsPerCatching = 50;
    static constexpr int problemsPerMemory = 18;

    int points() const { return m_points; }
    int errors() const { return m_errors; }
    // Problems solved since the Memory reward was last taken.
    int solvedSinceMemory() const { return m_solved; }
    bool isMemoryDue() const { return m_solved >= problemsPerMemory; }

    // One right digit; true when the points reach a multiple of 50 (Zahlfange is due).
    bool awardPoint();
    void countError() { ++m_errors; }
    // One solved problem; true while Memory is due.
    bool countSolved();
    // The Memory reward was taken: the count starts again.
    void takeMemory() { m_solved = 0; }

    // Its members are written and read in training_snapshot.cpp: a new one goes there too.
    friend struct TrainingSnapshot;

private:
    int m_points = 0;
    int m_errors = 0;
    int m_solved = 0;
};
