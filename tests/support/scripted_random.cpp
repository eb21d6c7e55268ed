#include "scripted_random.h"

double ScriptedRandom::uniform()
{
    if (!m_draws.isEmpty())
        return m_draws.takeFirst();
    // splitmix64
    quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return double(z >> 11) / double(1ull << 53);
}
