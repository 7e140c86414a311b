#pragma once
#include <cstdint>

namespace nmrc {

// The minimal standard generator: state <- 16807 state mod (2^31 - 1), the
// product reduced without overflow by Schrage's method. The state stays in
// [1, 2^31 - 2]; a uniform deviate is state / (2^31 - 1), so it lies in (0, 1).
class UniformGenerator {
public:
    static constexpr std::int32_t modulus = 2147483647;  // 2^31 - 1
    static constexpr std::int32_t multiplier = 16807;

    // Seeded from SeedSource.
    UniformGenerator();
    // A seed outside [1, 2^31 - 2] fails, naming the seed (0 would stay 0).
    explicit UniformGenerator(std::int32_t seed);

    // One step of the recurrence; returns the new state.
    std::int32_t step();
    // Advances one step and returns state / (2^31 - 1).
    double next();
    std::int32_t state() const { return state_; }

    // The recurrence itself, shared with SeedSource.
    static std::int32_t advance(std::int32_t state);

private:
    std::int32_t state_;
};

// The one program-wide source of seeds for generator-owning objects. On first
// use it starts from the calendar time t in seconds:
// state = floor(fmod(t, 1/sqrt(2)) / (1/sqrt(2)) * 2147483646), so runs differ
// from one start to the next, unless the environment variable OSTREL_SEED
// holds an integer, which then gives the starting state (mapped into the
// generator's range) so that runs repeat exactly. Each call advances the
// state by one generator step and returns it.
class SeedSource {
public:
    static std::int32_t next();
    // Forgets the state, so the next call starts again from OSTREL_SEED or the
    // clock (tests use it to make runs repeat).
    static void restart();
};

// Standard normal deviates by Marsaglia's polar method, drawing from its own
// uniform generator. The spare deviate of each pair is kept in one slot shared
// by the whole program, so a generator may return a deviate computed from
// another generator's uniforms.
class NormalGenerator {
public:
    // Seeded from SeedSource.
    NormalGenerator();
    explicit NormalGenerator(std::int32_t seed);

    double next();
    UniformGenerator& uniform() { return uniform_; }

    // Drops the program-wide spare so that the next call draws a fresh pair.
    static void discard_spare();

private:
    // lower + width * U: a deviate uniform on (-1, 1).
    double next_symmetric();

    double lower_ = -1.0;
    double width_ = 2.0;
    UniformGenerator uniform_;
};

}  // namespace nmrc
