#include "numerics/discrete.h"

#include <cmath>
#include <iterator>
#include <map>
#include <sstream>

#include "util/exception.h"

namespace nmrc {

Discrete::Discrete() = default;

Discrete::Discrete(std::int32_t seed) : generator_(seed) {}

void Discrete::set_mass(const std::vector<double>& masses) {
    // Ordered by mass; equal masses keep their insertion order, so the
    // smallest is the first inserted and the largest the last inserted.
    std::multimap<double, std::int32_t> pool;
    double total = 0.0;
    for (std::size_t k = 0; k < masses.size(); ++k) {
        const double mass = masses[k];
        if (!std::isfinite(mass)) {
            std::ostringstream message;
            message << "non-finite mass in Discrete::set_mass: mass = " << mass << " at index " << k;
            throw util::Exception(message.str());
        }
        pool.emplace(mass, static_cast<std::int32_t>(k));
        total += mass;
    }
    // A single index gets a massless partner so that there is one urn.
    if (pool.size() == 1) pool.emplace(0.0, 1);
    if (!pool.empty() && pool.begin()->first < 0.0)
        throw util::Exception("negative mass in Discrete::set_mass");
    if (!(total > 0.0)) throw util::Exception("ill-defined distribution in Discrete::set_mass");

    const std::size_t n = pool.size();
    // e = (n - 1) / total: each urn carries total / (n - 1) of the mass.
    const double e = static_cast<double>(n - 1) / total;
    std::vector<Urn> urns(n - 1);
    for (Urn& urn : urns) {
        const auto smallest = pool.begin();
        const auto largest = std::prev(pool.end());
        const double ps = smallest->first;
        const double pl = largest->first;
        const std::int32_t is = smallest->second;
        const std::int32_t il = largest->second;
        urn = {e * ps, is, il};
        pool.erase(largest);
        pool.erase(smallest);
        // The largest gives the urn what the smallest could not fill.
        pool.emplace(pl - (1.0 / e - ps), il);
    }
    urns_ = std::move(urns);
}

int Discrete::sample() { return sample(generator_); }

int Discrete::sample(UniformGenerator& generator) const {
    if (urns_.empty()) throw util::Exception("Discrete::sample called before set_mass");
    // urn = floor(u1 (n - 1)); u1 < 1, so the index stays in range.
    const double u1 = generator.next();
    const Urn& urn = urns_[static_cast<std::size_t>(u1 * static_cast<double>(urns_.size()))];
    const double u2 = generator.next();
    return u2 < urn.threshold ? urn.first : urn.second;
}

}  // namespace nmrc
