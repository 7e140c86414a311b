#include "filters/passive/emission_platform_library.h"

#include <algorithm>

#include "util/exception.h"

namespace ostrel {

namespace {

using Band = EmissionPlatformLibrary::Band;

// Sorted, pairwise disjoint bands with the same union.
std::vector<Band> merged(std::vector<Band> bands) {
    std::sort(bands.begin(), bands.end(), [](const Band& a, const Band& b) { return a.min < b.min; });
    std::vector<Band> out;
    for (const Band& b : bands) {
        if (!out.empty() && b.min <= out.back().max)
            out.back().max = std::max(out.back().max, b.max);
        else
            out.push_back(b);
    }
    return out;
}

bool contains(const std::vector<Band>& bands, double x) {
    for (const Band& b : bands)
        if (b.min <= x && x <= b.max) return true;
    return false;
}

}  // namespace

EmissionPlatformLibrary::EmissionPlatformLibrary(const xml::Querier& platforms) {
    const std::vector<xml::Querier> entries = platforms.tags();
    const int count = static_cast<int>(entries.size());
    bands_.resize(count);
    std::vector<bool> listed(count, false);
    for (const xml::Querier& entry : entries) {
        const int type = entry.read<int>("type");
        if (type < 0 || type >= count)
            throw util::Exception("unknown platform type in platforms, type " + std::to_string(type));
        if (listed[type])
            throw util::Exception("platform type listed twice in platforms, type " +
                                  std::to_string(type));
        listed[type] = true;
        bands_[type] = merged(fusion::FrequencyFootprintState(entry.tag("frequency_intervals")).bands);
    }
}

bool EmissionPlatformLibrary::emits_at(int type, double frequency) const {
    return contains(bands_[type], frequency);
}

double EmissionPlatformLibrary::covered_share(int type, const std::vector<Band>& receiver) const {
    const std::vector<Band>& own = bands_[type];
    const std::vector<Band> seen = merged(receiver);
    double width = 0.0, covered = 0.0;
    for (const Band& b : own) {
        width += b.max - b.min;
        for (const Band& r : seen)  // |b intersect r|
            covered += std::max(0.0, std::min(b.max, r.max) - std::max(b.min, r.min));
    }
    if (width > 0.0) return covered / width;
    for (const Band& b : own)
        if (contains(seen, b.min)) return 1.0;
    return 0.0;
}

}  // namespace ostrel
