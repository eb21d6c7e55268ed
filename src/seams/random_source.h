#pragma once

#include <cmath>
#include <memory>

// Uniform numbers in [0, 1). Every draw of the program goes through one of these,
// so a test can script the exact sequence of draws.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double uniform() = 0;
};

// Int(r * n) + k: the one way the program turns a uniform draw into a whole number.
inline int drawInt(RandomSource &random, int n, int k = 0)
{
    return static_cast<int>(std::floor(random.uniform() * n)) + k;
}

// One generator for the whole run, seeded once from system entropy.
std::unique_ptr<RandomSource> makeSystemRandomSource();
