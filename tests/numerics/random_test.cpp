#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "numerics/discrete.h"
#include "numerics/linear_interpolant.h"
#include "numerics/random.h"
#include "support/expect_message.h"

namespace {

const int draws = 100000;

TEST(NumericsUniformGenerator, FollowsTheMinimalStandardSequence) {
    // Park and Miller's published check values from seed 1.
    nmrc::UniformGenerator g(1);
    const std::int32_t first[] = {16807, 282475249, 1622650073, 984943658, 1144108930};
    for (std::int32_t expected : first) EXPECT_EQ(g.step(), expected);
    nmrc::UniformGenerator h(1);
    for (int k = 0; k < 9999; ++k) h.step();
    EXPECT_EQ(h.step(), 1043618065);
    // Schrage's reduction at the top of the range: 16807 (m - 1) = -16807 mod m.
    EXPECT_EQ(nmrc::UniformGenerator::advance(2147483646), 2147483647 - 16807);
    nmrc::UniformGenerator u(1);
    EXPECT_DOUBLE_EQ(u.next(), 16807.0 / 2147483647.0);
}

TEST(NumericsUniformGenerator, SeedsOutsideTheStateRangeAreRejected) {
    for (std::int32_t seed : {0, -5, 2147483647}) {
        EXPECT_MESSAGE(nmrc::UniformGenerator{seed},
                       "UniformGenerator seed outside [1, 2147483646]: seed = " + std::to_string(seed));
    }
}

// Sets OSTREL_SEED for the test's duration and restores it afterwards.
class SeedEnvironment {
public:
    SeedEnvironment() {
        if (const char* old = std::getenv("OSTREL_SEED")) saved_ = old, had_ = true;
    }
    ~SeedEnvironment() {
        if (had_)
            setenv("OSTREL_SEED", saved_.c_str(), 1);
        else
            unsetenv("OSTREL_SEED");
        nmrc::SeedSource::restart();
    }
    void set(const char* value) {
        setenv("OSTREL_SEED", value, 1);
        nmrc::SeedSource::restart();
    }
    void unset() {
        unsetenv("OSTREL_SEED");
        nmrc::SeedSource::restart();
    }

private:
    std::string saved_;
    bool had_ = false;
};

TEST(NumericsSeedSource, RepeatsExactlyFromOstrelSeed) {
    SeedEnvironment env;
    env.set("12345");
    const std::int32_t first = nmrc::SeedSource::next();
    EXPECT_EQ(first, nmrc::UniformGenerator::advance(12345));
    EXPECT_EQ(nmrc::SeedSource::next(), nmrc::UniformGenerator::advance(first));
    nmrc::SeedSource::restart();
    EXPECT_EQ(nmrc::UniformGenerator().state(), first);

    // Values outside the generator's range are mapped into it, never to 0.
    env.set("-1");
    EXPECT_EQ(nmrc::SeedSource::next(), nmrc::UniformGenerator::advance(2147483646));
    env.set("2147483647");
    EXPECT_EQ(nmrc::SeedSource::next(), nmrc::UniformGenerator::advance(1));
}

TEST(NumericsSeedSource, UnparsableOstrelSeedIsNamed) {
    SeedEnvironment env;
    for (const char* bad : {"abc", "12x", "", "99999999999999999999999"}) {
        env.set(bad);
        EXPECT_MESSAGE(nmrc::SeedSource::next(),
                       std::string("OSTREL_SEED is not an integer: OSTREL_SEED = ") + bad);
    }
}

TEST(NumericsSeedSource, ClockSeedStaysInTheGeneratorRange) {
    SeedEnvironment env;
    env.unset();
    for (int k = 0; k < 3; ++k) {
        const std::int32_t seed = nmrc::SeedSource::next();
        EXPECT_GE(seed, 1);
        EXPECT_LE(seed, 2147483646);
    }
}

TEST(NumericsNormalGenerator, DeviatesAreStandardNormalWithinSamplingError) {
    nmrc::NormalGenerator::discard_spare();
    nmrc::NormalGenerator g(12345);
    double sum = 0, sum2 = 0, sum4 = 0;
    int within_one = 0;
    for (int k = 0; k < draws; ++k) {
        const double z = g.next();
        sum += z;
        sum2 += z * z;
        sum4 += z * z * z * z;
        within_one += std::fabs(z) < 1.0;
    }
    const double mean = sum / draws;
    const double variance = sum2 / draws - mean * mean;
    // Five standard errors: 1/sqrt(n), sqrt(2/n), sqrt(96/n), sqrt(p(1-p)/n).
    EXPECT_NEAR(mean, 0.0, 5 * std::sqrt(1.0 / draws));
    EXPECT_NEAR(variance, 1.0, 5 * std::sqrt(2.0 / draws));
    EXPECT_NEAR(sum4 / draws, 3.0, 5 * std::sqrt(96.0 / draws));
    EXPECT_NEAR(double(within_one) / draws, 0.682689, 5 * std::sqrt(0.6827 * 0.3173 / draws));
}

TEST(NumericsNormalGenerator, TheSpareIsSharedByAllGenerators) {
    nmrc::NormalGenerator::discard_spare();
    nmrc::NormalGenerator reference(777);
    const double first = reference.next();
    const double spare = reference.next();

    nmrc::NormalGenerator::discard_spare();
    nmrc::NormalGenerator a(777);
    nmrc::NormalGenerator b(4242);
    EXPECT_EQ(a.next(), first);
    // b returns a's spare without touching its own uniforms.
    EXPECT_EQ(b.next(), spare);
    EXPECT_EQ(b.uniform().state(), 4242);
    nmrc::NormalGenerator::discard_spare();
}

TEST(NumericsDiscrete, SampleFrequenciesMatchTheMasses) {
    const std::vector<double> masses = {0.1, 0.4, 0.2, 0.3, 0.0, 1.0};
    double total = 0;
    for (double m : masses) total += m;
    nmrc::Discrete d(2024);
    d.set_mass(masses);
    EXPECT_EQ(d.size(), 6);
    std::vector<int> counts(masses.size(), 0);
    for (int k = 0; k < draws; ++k) ++counts.at(static_cast<std::size_t>(d.sample()));
    for (std::size_t i = 0; i < masses.size(); ++i) {
        const double p = masses[i] / total;
        EXPECT_NEAR(double(counts[i]) / draws, p, 5 * std::sqrt(p * (1 - p) / draws) + 1e-12)
            << "index " << i;
    }
}

void expect_urns(const nmrc::Discrete& d, const std::vector<nmrc::Discrete::Urn>& expected) {
    ASSERT_EQ(d.urns().size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_DOUBLE_EQ(d.urns()[k].threshold, expected[k].threshold) << "urn " << k;
        EXPECT_EQ(d.urns()[k].first, expected[k].first) << "urn " << k;
        EXPECT_EQ(d.urns()[k].second, expected[k].second) << "urn " << k;
    }
}

TEST(NumericsDiscrete, AliasTableTakesEqualMassesInInsertionOrder) {
    nmrc::Discrete d(5);
    d.set_mass({3.5});  // a single mass gets a massless partner
    expect_urns(d, {{0.0, 1, 0}});
    for (int k = 0; k < 100; ++k) EXPECT_EQ(d.sample(), 0);

    d.set_mass({1, 1});
    expect_urns(d, {{0.5, 0, 1}});

    // (2, 1, 1): e = 1/2; urn {0.5, 1, 0}, index 0 keeps mass 1 and is
    // inserted after index 2, so the second urn is {0.5, 2, 0}.
    d.set_mass({2, 1, 1});
    expect_urns(d, {{0.5, 1, 0}, {0.5, 2, 0}});
}

TEST(NumericsDiscrete, SamplingWithACallersGeneratorUsesThatGenerator) {
    nmrc::Discrete d(5);
    d.set_mass({1, 1});
    nmrc::UniformGenerator g(99);
    nmrc::UniformGenerator copy(99);
    const int index = d.sample(g);
    // urn 0 is the only one; the second deviate decides.
    copy.next();
    EXPECT_EQ(index, copy.next() < 0.5 ? 0 : 1);
    EXPECT_EQ(g.state(), copy.state());
}

TEST(NumericsDiscrete, IllDefinedMassesAreRejected) {
    nmrc::Discrete d(5);
    EXPECT_MESSAGE(d.sample(), "Discrete::sample called before set_mass");
    EXPECT_MESSAGE(d.set_mass({}), "ill-defined distribution in Discrete::set_mass");
    EXPECT_MESSAGE(d.set_mass({0, 0, 0}), "ill-defined distribution in Discrete::set_mass");
    EXPECT_MESSAGE(d.set_mass({0}), "ill-defined distribution in Discrete::set_mass");
    EXPECT_MESSAGE(d.set_mass({1, -0.5, 2}), "negative mass in Discrete::set_mass");
    EXPECT_MESSAGE(d.set_mass({1, std::nan("")}),
                   "non-finite mass in Discrete::set_mass: mass = nan at index 1");
    EXPECT_MESSAGE(d.set_mass({HUGE_VAL, 1}),
                   "non-finite mass in Discrete::set_mass: mass = inf at index 0");
}

TEST(NumericsLinearInterpolant, PassesThroughBothPoints) {
    const nmrc::interpolant::Linear line(1, 3, 3, 7);
    EXPECT_EQ(line.slope(), 2.0);
    EXPECT_EQ(line.intercept(), 1.0);
    EXPECT_EQ(line.value(10), 21.0);
    EXPECT_EQ(line(1), 3.0);
    EXPECT_MESSAGE(nmrc::interpolant::Linear(2, 0, 2, 5),
                   "attempt to divide by zero in interpolant::Linear");
}

}  // namespace
