#include "imaging/synthetic/colony/colony_simulation.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

#include "imaging/synthetic/colony/rod_contacts.h"
#include "imaging/synthetic/seeded_random.h"
#include "util/exception.h"

namespace synth::colony {

namespace {

// Sweeps of the contact relaxation per frame: enough for the push of the
// growing interior to reach the rim of a colony of a few hundred rods.
constexpr int relaxation_sweeps = 40;
// Spread of the per-cell growth rate and division length about their means.
constexpr double growth_spread = 0.15;
constexpr double length_spread = 0.08;
// Daughters leave the division a little off the mother's axis, radians.
constexpr double division_twist = 0.03;
constexpr int placement_attempts = 2000;
constexpr int largest_label = 65535;

struct LiveRod {
    Rod rod;
    double growth = 0.0;           // relative length increase per frame (exponent)
    double division_length = 0.0;  // this rod divides on reaching it
};

class ColonySimulation {
public:
    explicit ColonySimulation(const ColonyParameters& parameters) : p_(parameters), random_(parameters.seed) {}

    ColonySequence run() {
        sequence_.width = p_.width;
        sequence_.height = p_.height;
        place_founders();
        record_frame();
        for (int frame = 1; frame < p_.frames; ++frame) {
            step(frame);
            record_frame();
        }
        for (const LiveRod& cell : live_) track(cell).end = p_.frames - 1;
        return std::move(sequence_);
    }

private:
    double spread(double mean, double relative) {
        // v = m (1 + s n), kept within [m (1 - 2s), m (1 + 2s)]
        return mean * std::clamp(1.0 + relative * random_.normal(), 1.0 - 2.0 * relative, 1.0 + 2.0 * relative);
    }

    TrackRecord& track(const LiveRod& cell) { return sequence_.tracks[cell.rod.label - 1]; }

    // A new cell: its own growth rate (the mean doubles the length in
    // doubling_time frames: k = ln 2 / T), division length and brightness.
    LiveRod start_track(Rod rod, int frame, int parent) {
        const int label = static_cast<int>(sequence_.tracks.size()) + 1;
        if (label > largest_label)
            throw util::Exception("more than " + std::to_string(largest_label) +
                                  " tracks do not fit 16-bit label masks; use fewer founders or frames");
        rod.label = label;
        rod.radius = 0.5 * p_.cell_width;
        rod.brightness = spread(p_.contrast, 0.1);
        sequence_.tracks.push_back(TrackRecord{label, frame, frame, parent});
        LiveRod cell;
        cell.rod = rod;
        cell.growth = spread(std::log(2.0) / p_.doubling_time, growth_spread);
        cell.division_length = spread(p_.division_length, length_spread);
        return cell;
    }

    // Founders lie apart in a disc about the centre, at lengths spread over
    // a whole cycle so that their divisions do not come in step.
    void place_founders() {
        const double cx = 0.5 * (p_.width - 1), cy = 0.5 * (p_.height - 1);
        const double disc = 0.75 * p_.division_length * std::sqrt(static_cast<double>(p_.founders));
        for (int placed = 0; placed < p_.founders; ++placed) {
            bool found = false;
            for (int attempt = 0; attempt < placement_attempts && !found; ++attempt) {
                const double r = disc * std::sqrt(random_.uniform()), phi = random_.uniform(0.0, 2.0 * M_PI);
                Rod rod;
                rod.x = cx + r * std::cos(phi);
                rod.y = cy + r * std::sin(phi);
                rod.angle = random_.uniform(0.0, M_PI);
                rod.length = p_.division_length * random_.uniform(0.5, 0.95);
                rod.radius = 0.5 * p_.cell_width;
                found = inside(rod) && std::all_of(live_.begin(), live_.end(), [&](const LiveRod& other) {
                            return gap_between(rod, other.rod) >= 0.5 * p_.cell_width;
                        });
                if (found) live_.push_back(start_track(rod, 0, 0));
            }
            if (!found) {
                std::ostringstream message;
                message << "cannot place " << p_.founders << " founder rods apart in a " << p_.width << " x "
                        << p_.height << " image (placed " << placed
                        << "); use fewer founders, shorter rods or a larger size";
                throw util::Exception(message.str());
            }
        }
    }

    bool inside(const Rod& rod) const { return rod.x >= 0 && rod.y >= 0 && rod.x < p_.width && rod.y < p_.height; }

    std::vector<Rod> rods() const {
        std::vector<Rod> all;
        all.reserve(live_.size());
        for (const LiveRod& cell : live_) all.push_back(cell.rod);
        return all;
    }

    // Advances the colony from frame - 1 to frame: growth and a random
    // nudge, then divisions, then the push between neighbours; rods whose
    // centre left the image end in the previous frame.
    void step(int frame) {
        std::vector<LiveRod> next;
        next.reserve(2 * live_.size());
        for (LiveRod cell : live_) {
            // L' = L e^k
            cell.rod.length *= std::exp(cell.growth);
            cell.rod.x += p_.jitter * random_.normal();
            cell.rod.y += p_.jitter * random_.normal();
            cell.rod.angle += p_.jitter / cell.rod.length * random_.normal();
            if (cell.rod.length >= cell.division_length) {
                divide(cell, frame, next);
            } else {
                next.push_back(cell);
            }
        }
        live_ = std::move(next);

        std::vector<Rod> moved = rods();
        separate_rods(moved, relaxation_sweeps);
        for (std::size_t k = 0; k < live_.size(); ++k) live_[k].rod = moved[k];

        auto gone = [this, frame](const LiveRod& cell) {
            if (inside(cell.rod)) return false;
            track(cell).end = frame - 1;
            return true;
        };
        live_.erase(std::remove_if(live_.begin(), live_.end(), gone), live_.end());
    }

    // Two daughters of half the mother's length, end to end along her axis,
    // touching at her middle.
    void divide(const LiveRod& mother, int frame, std::vector<LiveRod>& next) {
        track(mother).end = frame - 1;
        const double ux = std::cos(mother.rod.angle), uy = std::sin(mother.rod.angle);
        const double quarter = 0.25 * mother.rod.length;
        for (double side : {-1.0, 1.0}) {
            Rod daughter = mother.rod;
            daughter.length = 0.5 * mother.rod.length;
            daughter.x += side * quarter * ux;
            daughter.y += side * quarter * uy;
            daughter.angle += division_twist * random_.normal();
            next.push_back(start_track(daughter, frame, mother.rod.label));
        }
    }

    void record_frame() {
        std::vector<Rod> frame = rods();
        std::sort(frame.begin(), frame.end(), [](const Rod& a, const Rod& b) { return a.label < b.label; });
        sequence_.frames.push_back(std::move(frame));
    }

    const ColonyParameters& p_;
    SeededRandom random_;
    std::vector<LiveRod> live_;
    ColonySequence sequence_;
};

}  // namespace

ColonySequence simulate_colony(const ColonyParameters& parameters) {
    parameters.validate();
    return ColonySimulation(parameters).run();
}

}  // namespace synth::colony
