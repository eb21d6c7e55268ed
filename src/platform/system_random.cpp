#include "seams/random_source.h"

#include <random>

namespace {

class SystemRandomSource final : public RandomSource
{
public:
    SystemRandomSource()
    {
        std::random_device entropy;
        std::seed_seq seed{entropy(), entropy(), entropy(), entropy()};
        m_engine.seed(seed);
    }

    double uniform() override { return m_distribution(m_engine); }

private:
    std::mt19937_64 m_engine;
    std::uniform_real_distribution<double> m_distribution{0.0, 1.0};
};

} // namespace

std::unique_ptr<RandomSource> makeSystemRandomSource()
{
    return std::make_unique<SystemRandomSource>();
}
