// The program's random draws: RandomBelow and Reseed over std::mt19937 with a bounded draw of our
// own, so one seed gives one sequence on every platform and standard library.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <random>

namespace ostrane {

// What the sweep draws from.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform in [0, n); 0 for n <= 0, still advancing the generator by one step.
    virtual std::int32_t RandomBelow(std::int32_t n) = 0;
    // Starts a new sequence from the seed source.
    virtual void Reseed() = 0;
};

// Where Reseed takes its seeds from.
class SeedSource {
public:
    virtual ~SeedSource() = default;
    virtual std::uint32_t NextSeed() = 0;
};

// The time of day to the millisecond (UTC): two passes that begin at the same clock reading draw
// the same numbers.
class TimeOfDaySeeds : public SeedSource {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    explicit TimeOfDaySeeds(Clock clock = std::chrono::system_clock::now);
    std::uint32_t NextSeed() override;

private:
    Clock clock_;
};

// A reproducible series of seeds from one number: each Reseed gets the next, well apart from the
// ones before, so the passes of a run draw different streams.
class DerivedSeeds : public SeedSource {
public:
    explicit DerivedSeeds(std::uint64_t base) : state_(base) {}
    std::uint32_t NextSeed() override;

private:
    std::uint64_t state_;
};

class MersenneRandom final : public RandomSource {
public:
    explicit MersenneRandom(SeedSource& seeds);

    std::int32_t RandomBelow(std::int32_t n) override;
    void Reseed() override;

private:
    SeedSource& seeds_;
    std::mt19937 engine_;
};

}  // namespace ostrane
