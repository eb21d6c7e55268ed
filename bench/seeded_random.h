#pragma once

#include "seams/random_source.h"

#include <cstdio>
#include <cstdlib>
#include <random>

// The simulated children's dice: seeded, so a run can be repeated.
class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(unsigned seed) : m_engine(seed) {}
    double uniform() override { return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine); }
    bool chance(double p) { return uniform() < p; }
    int below(int n) { return int(uniform() * n); }

private:
    std::mt19937_64 m_engine;
};

// A benchmark whose own premises fail stops at once.
[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::exit(2);
}
