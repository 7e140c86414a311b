#include "imaging/synthetic/synthetic_sequence.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <string>

#include "imaging/synthetic/seeded_random.h"
#include "util/exception.h"

namespace synth {

namespace {

// Velocity memory per frame: v' = a v + sqrt(1 - a^2) s n, n ~ N(0, 1), keeps
// the r.m.s. velocity at s while the direction changes smoothly.
constexpr double persistence = 0.8;
// A nucleus divides only after this many frames of its own life, so every
// track is long enough to be followed.
constexpr int minimum_division_age = 6;
// Attempts at placing a nucleus before giving up.
constexpr int placement_attempts = 2000;
constexpr int entry_attempts = 20;
// Labels must fit the 16-bit masks.
constexpr int largest_label = 65535;
// Divisions and entries stop while this many nuclei are alive: every move
// is checked against all other nuclei, so the work per frame grows with
// the square of the population.
constexpr std::size_t largest_population = 3000;

struct LiveCell {
    Nucleus nucleus;
    double vx = 0.0;
    double vy = 0.0;
    int age = 0;
};

// The least centre distance is spacing times the sum of the two reaches
// (semi-major axes). The default 1.25 leaves a background gap of at least a
// quarter radius on each side, so that thresholding never joins two nuclei;
// 1 lets discs touch, less lets them overlap.
bool too_close(const Nucleus& a, const Nucleus& b, double spacing) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double minimum = spacing * (a.reach() + b.reach());
    return dx * dx + dy * dy < minimum * minimum;
}

class CellSimulation {
public:
    explicit CellSimulation(const SequenceParameters& parameters)
        : p_(parameters), random_(parameters.seed) {}

    CellSequence run() {
        sequence_.width = p_.width;
        sequence_.height = p_.height;
        place_first_frame();
        record_frame();
        for (int frame = 1; frame < p_.frames; ++frame) {
            step(frame);
            record_frame();
        }
        for (const LiveCell& cell : live_) track(cell).end = p_.frames - 1;
        return std::move(sequence_);
    }

private:
    double draw_radius() {
        // r = R (1 + 0.12 n), kept within [0.8 R, 1.2 R]
        return p_.radius * std::clamp(1.0 + 0.12 * random_.normal(), 0.8, 1.2);
    }
    // Radius, and for elliptical nuclei the axis ratio and direction. Discs
    // draw nothing more, so their sequences do not change with the options
    // for ellipses.
    void draw_shape(Nucleus& nucleus) {
        nucleus.radius = draw_radius();
        if (p_.elongation == 1.0) return;
        // e uniform in [1 + (E - 1) / 2, E]: every nucleus visibly elliptical.
        nucleus.elongation = random_.uniform(0.5 * (1.0 + p_.elongation), p_.elongation);
        nucleus.angle = random_.uniform(0.0, M_PI);
    }
    double draw_brightness() {
        // A = C (1 + s n), kept within [(1 - 2.5 s) C, (1 + 2.5 s) C]
        const double s = p_.brightness_spread;
        double brightness = p_.contrast * std::clamp(1.0 + s * random_.normal(), 1.0 - 2.5 * s, 1.0 + 2.5 * s);
        // Only drawn when asked for, for the same reason as the shape.
        if (p_.dim_fraction > 0.0 && random_.chance(p_.dim_fraction)) brightness *= p_.dim_level;
        return brightness;
    }

    // Whether the nucleus keeps its distance from every live nucleus but the
    // one at index `except` (the one being moved or divided).
    bool has_room(const Nucleus& nucleus, std::size_t except = static_cast<std::size_t>(-1)) const {
        for (std::size_t i = 0; i < live_.size(); ++i)
            if (i != except && too_close(nucleus, live_[i].nucleus, p_.spacing)) return false;
        return true;
    }

    bool inside(double x, double y) const { return x >= 0 && y >= 0 && x < p_.width && y < p_.height; }

    TrackRecord& track(const LiveCell& cell) { return sequence_.tracks[cell.nucleus.label - 1]; }

    LiveCell start_track(Nucleus nucleus, int frame, int parent) {
        const int label = static_cast<int>(sequence_.tracks.size()) + 1;
        if (label > largest_label)
            throw util::Exception("more than " + std::to_string(largest_label) +
                                  " tracks do not fit 16-bit label masks; use fewer cells or frames or lower rates");
        nucleus.label = label;
        sequence_.tracks.push_back(TrackRecord{label, frame, frame, parent});
        LiveCell cell;
        cell.nucleus = nucleus;
        return cell;
    }

    void place_first_frame() {
        for (int placed = 0; placed < p_.cells; ++placed) {
            Nucleus nucleus;
            bool found = false;
            for (int attempt = 0; attempt < placement_attempts && !found; ++attempt) {
                nucleus.x = random_.uniform(0.0, p_.width);
                nucleus.y = random_.uniform(0.0, p_.height);
                draw_shape(nucleus);
                found = has_room(nucleus);
            }
            if (!found) {
                std::ostringstream message;
                message << "cannot place " << p_.cells << " nuclei of radius " << p_.radius
                        << " apart in a " << p_.width << " x " << p_.height << " image (placed "
                        << placed << "); use fewer cells, a smaller radius or a larger size";
                throw util::Exception(message.str());
            }
            nucleus.brightness = draw_brightness();
            LiveCell cell = start_track(nucleus, 0, 0);
            cell.vx = p_.speed * random_.normal();
            cell.vy = p_.speed * random_.normal();
            live_.push_back(cell);
        }
    }

    // Advances every nucleus from frame - 1 to frame: each either divides
    // or moves, then nuclei that left the image end, and new ones enter.
    void step(int frame) {
        // live_ is rebuilt in place: cells are replaced by their daughters or
        // moved, and the spacing is always checked against the current
        // positions of all others, so it holds between every pair at all times.
        for (std::size_t i = 0; i < live_.size(); ++i) {
            if (live_[i].age >= minimum_division_age && random_.chance(p_.division_rate) &&
                live_.size() < largest_population && divide(i, frame)) {
                ++i;  // skip the second daughter, inserted after the first
                continue;
            }
            move(live_[i], i);
        }
        leave(frame);
        enter(frame);
    }

    void move(LiveCell& cell, std::size_t index) {
        const double kick = std::sqrt(1.0 - persistence * persistence) * p_.speed;
        cell.vx = persistence * cell.vx + kick * random_.normal();
        cell.vy = persistence * cell.vy + kick * random_.normal();
        Nucleus moved = cell.nucleus;
        moved.x += cell.vx;
        moved.y += cell.vy;
        if (has_room(moved, index)) {
            cell.nucleus = moved;
        } else {
            // Blocked: stay and turn back, so the nuclei drift apart.
            cell.vx = -0.5 * cell.vx;
            cell.vy = -0.5 * cell.vy;
        }
        ++cell.age;
    }

    // Replaces the cell at index by two daughters placed symmetrically about
    // its centre; false (nothing changes) when they would not both lie in
    // the image with room around them.
    bool divide(std::size_t index, int frame) {
        const LiveCell mother = live_[index];
        const double angle = random_.uniform(0.0, 2.0 * M_PI);
        Nucleus first = mother.nucleus;
        Nucleus second = mother.nucleus;
        draw_shape(first);
        draw_shape(second);
        // Centre distance just above the minimum spacing of the pair.
        const double half = 0.5 * (p_.spacing * (first.reach() + second.reach()) + 0.5);
        const double ux = std::cos(angle);
        const double uy = std::sin(angle);
        first.x += half * ux;
        first.y += half * uy;
        second.x -= half * ux;
        second.y -= half * uy;
        if (!inside(first.x, first.y) || !inside(second.x, second.y) || !has_room(first, index) ||
            !has_room(second, index))
            return false;
        first.brightness = draw_brightness();
        second.brightness = draw_brightness();

        track(mother).end = frame - 1;
        LiveCell a = start_track(first, frame, mother.nucleus.label);
        LiveCell b = start_track(second, frame, mother.nucleus.label);
        // The daughters keep the mother's drift and part along the axis.
        const double parting = 0.3 * p_.speed;
        a.vx = mother.vx + parting * ux;
        a.vy = mother.vy + parting * uy;
        b.vx = mother.vx - parting * ux;
        b.vy = mother.vy - parting * uy;
        live_[index] = a;
        live_.insert(live_.begin() + static_cast<std::ptrdiff_t>(index) + 1, b);
        return true;
    }

    // Nuclei with no pixel left in the image end in the previous frame and
    // never come back.
    void leave(int frame) {
        auto gone = [this, frame](const LiveCell& cell) {
            if (visible_pixels(cell.nucleus, p_.width, p_.height) > 0) return false;
            track(cell).end = frame - 1;
            return true;
        };
        live_.erase(std::remove_if(live_.begin(), live_.end(), gone), live_.end());
    }

    // New nuclei appear with their centre just outside a random point of
    // the border (a sliver is visible at once), heading inwards.
    void enter(int frame) {
        const int count = random_.poisson(p_.entry_rate);
        for (int n = 0; n < count && live_.size() < largest_population; ++n) {
            for (int attempt = 0; attempt < entry_attempts; ++attempt) {
                Nucleus nucleus;
                draw_shape(nucleus);
                const double outside = 0.3 * nucleus.reach();
                const double inward = 1.5 * p_.speed;
                const double along = p_.speed * random_.normal();
                // Sides chosen in proportion to their length: a point on the
                // perimeter, walked top, right, bottom, left.
                double s = random_.uniform(0.0, 2.0 * (p_.width + p_.height));
                double vx = 0.0;
                double vy = 0.0;
                if (s < p_.width) {
                    nucleus.x = s, nucleus.y = -outside, vx = along, vy = inward;
                } else if ((s -= p_.width) < p_.height) {
                    nucleus.x = p_.width - 1 + outside, nucleus.y = s, vx = -inward, vy = along;
                } else if ((s -= p_.height) < p_.width) {
                    nucleus.x = s, nucleus.y = p_.height - 1 + outside, vx = along, vy = -inward;
                } else {
                    s -= p_.width;
                    nucleus.x = -outside, nucleus.y = s, vx = inward, vy = along;
                }
                if (!has_room(nucleus) || visible_pixels(nucleus, p_.width, p_.height) == 0) continue;
                nucleus.brightness = draw_brightness();
                LiveCell cell = start_track(nucleus, frame, 0);
                cell.vx = vx;
                cell.vy = vy;
                live_.push_back(cell);
                break;
            }
        }
    }

    void record_frame() {
        std::vector<Nucleus> nuclei;
        nuclei.reserve(live_.size());
        for (const LiveCell& cell : live_) nuclei.push_back(cell.nucleus);
        std::sort(nuclei.begin(), nuclei.end(),
                  [](const Nucleus& a, const Nucleus& b) { return a.label < b.label; });
        sequence_.frames.push_back(std::move(nuclei));
    }

    const SequenceParameters& p_;
    SeededRandom random_;
    std::vector<LiveCell> live_;
    CellSequence sequence_;
};

}  // namespace

CellSequence simulate_cells(const SequenceParameters& parameters) {
    parameters.validate();
    return CellSimulation(parameters).run();
}

SequenceEvents count_events(const CellSequence& sequence) {
    SequenceEvents events;
    events.tracks = static_cast<int>(sequence.tracks.size());
    std::set<int> mothers;
    for (const TrackRecord& record : sequence.tracks)
        if (record.parent != 0) mothers.insert(record.parent);
    events.divisions = static_cast<int>(mothers.size());
    const int last = static_cast<int>(sequence.frames.size()) - 1;
    for (const TrackRecord& record : sequence.tracks) {
        if (record.parent == 0 && record.begin > 0) ++events.entries;
        if (record.end < last && mothers.count(record.label) == 0) ++events.exits;
    }
    return events;
}

}  // namespace synth
