#pragma once
#include <cstdint>
#include <vector>

#include "numerics/random.h"

namespace nmrc {

// A distribution over the indices 0 ... n-1, sampled in constant time by the
// alias method: n-1 urns, each chosen with equal probability, holding a
// threshold and two indices; a second uniform deviate below the threshold
// picks the first index, otherwise the second.
class Discrete {
public:
    struct Urn {
        double threshold;
        std::int32_t first;
        std::int32_t second;
    };

    // The generator is seeded from SeedSource; no masses yet.
    Discrete();
    explicit Discrete(std::int32_t seed);

    // Builds the alias table. Fails with "negative mass in Discrete::set_mass"
    // or "ill-defined distribution in Discrete::set_mass" (no masses, or total
    // not positive); a NaN or infinite mass fails naming it.
    void set_mass(const std::vector<double>& masses);

    // An index drawn with probability mass / total, from the own generator or
    // from a caller's.
    int sample();
    int sample(UniformGenerator& generator) const;

    // Number of indices the table covers (n; 2 after a single mass).
    int size() const { return static_cast<int>(urns_.size()) + (urns_.empty() ? 0 : 1); }
    const std::vector<Urn>& urns() const { return urns_; }

private:
    std::vector<Urn> urns_;
    UniformGenerator generator_;
};

}  // namespace nmrc
