#include "numerics/random.h"

#include <chrono>
#include <cmath>
#include <random>
#include <string>

#include "util/exception.h"
#include "util/seed.h"

namespace nmrc {

namespace {

constexpr std::int32_t largest_state = UniformGenerator::modulus - 1;

// The starting state from OSTREL_SEED when it is set, else from the clock.
std::int32_t initial_seed_state() {
    if (const auto seed = util::seed_from_environment()) return util::minimal_standard_state(*seed);
    // x = fmod(t, r) with r = 1/sqrt(2); state = floor((x / r) * 2147483646)
    const double t = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    const double r = 1.0 / std::sqrt(2.0);
    const double x = std::fmod(std::floor(t), r);
    return util::minimal_standard_state(static_cast<long long>(std::floor((x / r) * 2147483646.0)));
}

bool seed_started = false;
std::int32_t seed_state = 0;

// The one spare deviate of the polar method, shared by every NormalGenerator.
bool spare_held = false;
double spare = 0.0;

}  // namespace

// 16807 s mod (2^31 - 1): one step of std::minstd_rand0 from state s.
std::int32_t UniformGenerator::advance(std::int32_t state) {
    std::minstd_rand0 step(static_cast<std::minstd_rand0::result_type>(state));
    return static_cast<std::int32_t>(step());
}

UniformGenerator::UniformGenerator() : state_(SeedSource::next()) {}

UniformGenerator::UniformGenerator(std::int32_t seed) : state_(seed) {
    if (seed < 1 || seed > largest_state)
        throw util::Exception("UniformGenerator seed outside [1, 2147483646]: seed = " +
                              std::to_string(seed));
}

std::int32_t UniformGenerator::step() {
    state_ = advance(state_);
    return state_;
}

double UniformGenerator::next() { return static_cast<double>(step()) / modulus; }

std::int32_t SeedSource::next() {
    if (!seed_started) {
        seed_state = initial_seed_state();
        seed_started = true;
    }
    seed_state = UniformGenerator::advance(seed_state);
    return seed_state;
}

void SeedSource::restart() { seed_started = false; }

NormalGenerator::NormalGenerator() = default;

NormalGenerator::NormalGenerator(std::int32_t seed) : uniform_(seed) {}

double NormalGenerator::next_symmetric() { return lower_ + width_ * uniform_.next(); }

double NormalGenerator::next() {
    if (spare_held) {
        spare_held = false;
        return spare;
    }
    // Polar method: (u, v) uniform in the unit disc without its centre.
    double u = 0.0;
    double v = 0.0;
    double s = 0.0;
    do {
        u = next_symmetric();
        v = next_symmetric();
        s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    // f = sqrt(-2 ln s / s); u f and v f are independent standard normals.
    const double f = std::sqrt(-2.0 * std::log(s) / s);
    spare = u * f;
    spare_held = true;
    return v * f;
}

void NormalGenerator::discard_spare() { spare_held = false; }

}  // namespace nmrc
