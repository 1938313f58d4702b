#include "random_source.h"

namespace ostrane {

TimeOfDaySeeds::TimeOfDaySeeds(Clock clock) : clock_(std::move(clock)) {}

std::uint32_t TimeOfDaySeeds::NextSeed() {
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(clock_().time_since_epoch());
    const auto ofDay = sinceEpoch % days(1);
    return static_cast<std::uint32_t>(
        (ofDay < milliseconds::zero() ? ofDay + days(1) : ofDay).count());
}

std::uint32_t DerivedSeeds::NextSeed() {
    // splitmix64: consecutive states give unrelated outputs.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

MersenneRandom::MersenneRandom(SeedSource& seeds) : seeds_(seeds) {}

std::int32_t MersenneRandom::RandomBelow(std::int32_t n) {
    // Lemire's multiply-and-reject: unbiased, and one engine step unless a draw is rejected.
    const std::uint32_t range = n > 0 ? static_cast<std::uint32_t>(n) : 0;
    std::uint64_t product = static_cast<std::uint64_t>(engine_()) * range;
    if (static_cast<std::uint32_t>(product) < range) [[unlikely]] {
        const std::uint32_t threshold = (0u - range) % range;  // 2^32 mod range
        while (static_cast<std::uint32_t>(product) < threshold) {
            product = static_cast<std::uint64_t>(engine_()) * range;
        }
    }
    return static_cast<std::int32_t>(product >> 32);
}

void MersenneRandom::Reseed() {
    engine_.seed(seeds_.NextSeed());
}

}  // namespace ostrane
