#include "calcframe/gui/random.h"

#include <chrono>
#include <random>

namespace cf {

namespace {
std::mt19937& Generator()
{
    static std::mt19937 gen(12345u);
    return gen;
}
} // namespace

void Randomize()
{
    auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    Generator().seed(static_cast<std::mt19937::result_type>(ticks));
}

int Random(int range)
{
    if (range <= 0)
        return 0;
    std::uniform_int_distribution<int> d(0, range - 1);
    return d(Generator());
}

} // namespace cf
