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
