// The three turn rules: a track's new heading before each leg. Headings are radians from the +y
// axis towards +x, stored as single.
#pragma once

#include <cstdint>
#include <numbers>

#include "float_checks.h"
#include "random_source.h"
#include "run_parameters.h"

namespace ostrane {

inline constexpr long double kPi = std::numbers::pi_v<long double>;
inline constexpr long double kTwoPi = 2 * kPi;

// One of 0, 0.001, ... 6.282 radians; 2 pi itself is never drawn.
inline float RandomHeading(RandomSource& random) {
    return StoreSingle(random.RandomBelow(6283) * 0.001L);
}

// r percent of a half turn to a random side, with 0 <= r < turnRange: draws r, then the side.
inline long double RandomSignedTurn(RandomSource& random, std::int32_t turnRange) {
    const std::int32_t r = random.RandomBelow(turnRange);
    const std::int32_t s = random.RandomBelow(2);
    return (2 * s - 1) * ((r * 0.01L) * kPi);
}

// The previous heading turned; a stored result above 2 pi is brought down once, and a negative
// one is left to drift, since sine and cosine take it as it is.
inline float AheadBiasHeading(float heading, long double turn) {
    const float turned = StoreSingle(heading + turn);
    return turned > kTwoPi ? StoreSingle(turned - kTwoPi) : turned;
}

inline float NextHeading(TurnAlgorithm algo, float heading, float biasAngle, std::int32_t turnRange,
                         RandomSource& random) {
    switch (algo) {
        case TurnAlgorithm::RandomTurn:
            return RandomHeading(random);
        case TurnAlgorithm::AheadBias:
            return AheadBiasHeading(heading, RandomSignedTurn(random, turnRange));
        case TurnAlgorithm::DirectionalBias:
            break;
    }
    return StoreSingle(biasAngle + RandomSignedTurn(random, turnRange));
}

}  // namespace ostrane
