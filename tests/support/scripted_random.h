#pragma once

#include "seams/random_source.h"

#include <QList>
#include <initializer_list>

// A random source that returns the draws it is given, in order. When the script runs out
// it falls back to a fixed-seed generator, so long runs stay reproducible.
class ScriptedRandom final : public RandomSource
{
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::initializer_list<double> draws) : m_draws(draws) {}

    // The uniform number that Int(r * n) + k turns into `value`.
    static double pick(int value, int n, int k = 0) { return (value - k + 0.5) / n; }

    void push(double draw) { m_draws.append(draw); }
    void pushInt(int value, int n, int k = 0) { push(pick(value, n, k)); }
    int remaining() const { return int(m_draws.size()); }
    // Starts the fallback generator from `seed` (a long random run replays its seed).
    void seed(quint64 seed) { m_state = seed; }

    double uniform() override;

private:
    QList<double> m_draws;
    quint64 m_state = 0x9E3779B97F4A7C15ull;
};
