#pragma once
#include <cstdint>
#include <random>

namespace synth {

// Deterministic deviates from a 64-bit Mersenne Twister, whose output
// sequence is fixed for a given seed on every platform. The conversions to
// uniform, normal and Poisson deviates are written out here instead of being
// taken from <random>'s distributions, whose algorithms differ between
// standard libraries: one seed must give the same files everywhere.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}

    // Uniform on [0, 1), 53 random bits.
    double uniform();
    // Uniform on [low, high).
    double uniform(double low, double high) { return low + (high - low) * uniform(); }
    // Standard normal deviate.
    double normal();
    // True with the given probability.
    bool chance(double probability) { return uniform() < probability; }
    // Poisson deviate of the given mean (small means only: counts events
    // per frame).
    int poisson(double mean);

private:
    std::mt19937_64 engine_;
    bool has_spare_ = false;
    double spare_ = 0.0;
};

}  // namespace synth
