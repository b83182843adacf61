// A small deterministic random source for the demo archive: the same seed
// gives the same archive on every platform and compiler (the standard
// library's distributions are not portable, so none is used).
#pragma once

#include <QStringList>
#include <cstdint>

namespace cu::demo {

class DemoRandom
{
public:
    explicit DemoRandom(std::uint64_t seed);

    std::uint64_t next();
    // An integer in [low, high], both included.
    std::int64_t between(std::int64_t low, std::int64_t high);
    // True with the given chance in per cent.
    bool percent(int chance);
    const QString& pick(const QStringList& items);

private:
    std::uint64_t m_state;
};

} // namespace cu::demo
