#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/footprint_registry.h"
#include "model/composite_state.h"
#include "model/state_registry.h"
#include "numerics/random.h"
#include "simulation/simulator.h"
#include "simulation/simulator_registry.h"
#include "xml/out_stream.h"
#include "xml/querier.h"

namespace sim_test {

// Fills the state, uniform footprint and simulator factories once per test
// program.
inline void register_all() {
    static const bool done = [] {
        state::register_states(state::factory());
        ftprnt::register_uniform_footprints();
        smltr::register_simulators();
        return true;
    }();
    (void)done;
}

// The element text is parsed as a file would be (its first line is skipped).
inline xml::Querier parse(const std::string& element) { return xml::Querier::parse("\n" + element); }

inline smltr::SimulatorPtr make(const std::string& element) {
    register_all();
    return smltr::factory().create(parse(element));
}

// A composite read from the states of a "composite_state" element.
inline state::CompositeStatePtr composite(const std::string& states) {
    register_all();
    return std::make_shared<state::CompositeState>(parse("<composite_state>" + states + "</composite_state>"));
}

// The written form of a set (or anything with write), for comparisons.
template <class T>
std::string written(const T& object) {
    std::ostringstream text;
    xml::OutStream out(text, "  ");
    out.set_precision(17);
    object.write(out);
    out.close();
    return text.str();
}

// Sample mean and (unbiased) variance.
struct Moments {
    double mean = 0.0;
    double variance = 0.0;
};
inline Moments moments(const std::vector<double>& x) {
    double sum = 0.0;
    for (double v : x) sum += v;
    const double mean = sum / x.size();
    double squares = 0.0;
    for (double v : x) squares += (v - mean) * (v - mean);
    return {mean, squares / (x.size() - 1)};
}

// Checks that samples of a normal law N(mean, sigma^2) have a sample mean and
// variance within `z` standard errors, for `effective` independent samples
// (fewer than the count when successive samples are correlated).
inline void expect_normal_moments(const std::vector<double>& x, double mean, double sigma,
                                  double effective, const std::string& what, double z = 5.0) {
    const Moments m = moments(x);
    const double mean_error = sigma / std::sqrt(effective);
    const double variance_error = sigma * sigma * std::sqrt(2.0 / (effective - 1.0));
    EXPECT_NEAR(m.mean, mean, z * mean_error) << what << ": sample mean";
    EXPECT_NEAR(m.variance, sigma * sigma, z * variance_error) << what << ": sample variance";
}

// Runs a test with OSTREL_SEED = 12345 and a fresh seed sequence, and puts
// the environment back afterwards.
class SeededTest : public ::testing::Test {
protected:
    void SetUp() override {
        register_all();
        const char* old = std::getenv("OSTREL_SEED");
        had_seed_ = old != nullptr;
        if (had_seed_) old_seed_ = old;
        ::setenv("OSTREL_SEED", "12345", 1);
        restart();
    }
    void TearDown() override {
        if (had_seed_)
            ::setenv("OSTREL_SEED", old_seed_.c_str(), 1);
        else
            ::unsetenv("OSTREL_SEED");
        restart();
    }
    // Starts the seed sequence and the shared spare deviate afresh.
    static void restart() {
        nmrc::SeedSource::restart();
        nmrc::NormalGenerator::discard_spare();
    }

private:
    bool had_seed_ = false;
    std::string old_seed_;
};

}  // namespace sim_test
