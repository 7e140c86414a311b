#pragma once
#include <cstdint>
#include <optional>
#include <random>

namespace util {

// The integer in the environment variable OSTREL_SEED, when it is set; runs
// seeded from it repeat exactly. Blanks around the number are allowed; any
// other text fails with "OSTREL_SEED is not an integer: OSTREL_SEED = text".
std::optional<long long> seed_from_environment();

// Any integer reduced into the range 1 .. 2^31 - 2 of the minimal standard
// generator's state (zero would stay zero forever).
std::int32_t minimal_standard_state(long long seed);

// The Park-Miller minimal standard generator, s' = 16807 s mod (2^31 - 1),
// starting from minimal_standard_state(seed).
std::minstd_rand0 minimal_standard_generator(long long seed);

}  // namespace util
