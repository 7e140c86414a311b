#include "evaluation/label_overlap.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "util/exception.h"

namespace ctc {

namespace {

constexpr std::size_t label_values = 65536;

// Areas indexed by the 16-bit label, turned into a sorted list of the
// labels that occur.
std::vector<std::pair<Label, Pixels>> occurring(const std::vector<Pixels>& areas) {
    std::vector<std::pair<Label, Pixels>> result;
    for (std::size_t label = 1; label < areas.size(); ++label)
        if (areas[label]) result.emplace_back(static_cast<Label>(label), areas[label]);
    return result;
}

}  // namespace

std::string size_text(const LabelVolume& mask) {
    std::string text = std::to_string(mask.width()) + " x " + std::to_string(mask.height());
    if (mask.depth() != 1) text += " x " + std::to_string(mask.depth());
    return text;
}

FrameOverlap overlap(const LabelVolume& reference, const LabelVolume& computed) {
    if (!reference.same_size(computed))
        throw util::Exception("the masks differ in size: " + size_text(reference) + " and " + size_text(computed));
    std::vector<Pixels> reference_area(label_values, 0);
    std::vector<Pixels> computed_area(label_values, 0);
    std::unordered_map<std::uint32_t, Pixels> shared;  // (reference << 16 | computed) -> pixels

    // Objects are compact, so runs of one (reference, computed) pair along
    // the rows are long: count a run at once instead of pixel by pixel.
    for (int z = 0; z < reference.depth(); ++z) {
        const unsigned short* r = reference.slice(z).data();
        const unsigned short* c = computed.slice(z).data();
        const std::size_t n = reference.slice(z).size();
        std::size_t i = 0;
        while (i < n) {
            const unsigned short rv = r[i], cv = c[i];
            std::size_t j = i + 1;
            while (j < n && r[j] == rv && c[j] == cv) ++j;
            const Pixels run = j - i;
            reference_area[rv] += run;
            computed_area[cv] += run;
            if (rv && cv) shared[std::uint32_t{rv} << 16 | cv] += run;
            i = j;
        }
    }

    FrameOverlap result;
    result.reference_areas = occurring(reference_area);
    result.computed_areas = occurring(computed_area);
    result.intersections.reserve(shared.size());
    for (const auto& [key, pixels] : shared) result.intersections.push_back({key >> 16, key & 0xffffu, pixels});
    std::sort(result.intersections.begin(), result.intersections.end(), [](const Intersection& a, const Intersection& b) {
        return a.reference != b.reference ? a.reference < b.reference : a.computed < b.computed;
    });
    return result;
}

std::vector<Label> labels_present(const LabelVolume& mask) {
    std::vector<bool> seen(label_values, false);
    for (const auto& slice : mask.slices())
        for (unsigned short value : slice) seen[value] = true;
    std::vector<Label> labels;
    for (std::size_t label = 1; label < label_values; ++label)
        if (seen[label]) labels.push_back(static_cast<Label>(label));
    return labels;
}

}  // namespace ctc
