// SplitMix64: a tiny, well-mixed generator whose sequence depends only on the seed.
#include "import/demo/DemoRandom.h"

namespace cu::demo {

DemoRandom::DemoRandom(std::uint64_t seed) : m_state(seed) {}

std::uint64_t DemoRandom::next()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::int64_t DemoRandom::between(std::int64_t low, std::int64_t high)
{
    const auto span = static_cast<std::uint64_t>(high - low) + 1;
    return low + static_cast<std::int64_t>(next() % span);
}

bool DemoRandom::percent(int chance)
{
    return between(1, 100) <= chance;
}

const QString& DemoRandom::pick(const QStringList& items)
{
    return items.at(static_cast<qsizetype>(between(0, items.size() - 1)));
}

} // namespace cu::demo
