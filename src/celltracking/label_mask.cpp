#include "celltracking/label_mask.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "imaging/tiff_file.h"
#include "imaging/tiff_page_writer.h"
#include "util/exception.h"

namespace isbi {

namespace {

int checked_segment(int id, int number_of_segments) {
    if (id < 0 || id >= number_of_segments)
        throw util::Exception("track contact names a segment the segmentation does not have, segment = " +
                              std::to_string(id) + ", number_of_segments = " + std::to_string(number_of_segments));
    return id;
}

// Output label of every segment; segments no track took stay 0.
std::vector<unsigned short> segment_labels(int number_of_segments, const std::vector<TrackSighting>& tracks,
                                           const std::vector<std::int32_t>& labels) {
    std::vector<unsigned short> lookup(static_cast<std::size_t>(std::max(number_of_segments, 0)), 0);
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        if (!tracks[k].segment || labels[k] == 0) continue;
        const int id = checked_segment(*tracks[k].segment, number_of_segments);
        lookup[static_cast<std::size_t>(id)] = static_cast<unsigned short>(labels[k]);
    }
    return lookup;
}

unsigned short label_of_segment(const std::vector<unsigned short>& lookup, int segment) {
    if (segment < 0 || static_cast<std::size_t>(segment) >= lookup.size())
        throw util::Exception("segmentation label out of range, label = " + std::to_string(segment) +
                              ", number_of_segments = " + std::to_string(lookup.size()));
    return lookup[static_cast<std::size_t>(segment)];
}

// The pixel index along one axis of a position coordinate, rounded half away
// from zero; false when it lies outside 0 .. size - 1 (or is not a number).
bool pixel_index(double coordinate, int size, int& index) {
    const double rounded = std::round(coordinate);
    if (!(rounded >= 0.0 && rounded < static_cast<double>(size))) return false;
    index = static_cast<int>(rounded);
    return true;
}

void paint_slice(const ipc::Image<int>& segments, const std::vector<unsigned short>& lookup, Mask& mask) {
    mask.resize_for_overwrite(segments.width(), segments.height());  // every pixel is written
    const int* in = segments.data();
    unsigned short* out = mask.data();
    const unsigned short* label = lookup.data();
    const std::size_t count = segments.size();
    for (std::size_t i = 0; i < count; ++i) {
        // A negative segment turns into a huge index: out of range too.
        const auto segment = static_cast<std::size_t>(static_cast<unsigned>(in[i]));
        if (segment >= lookup.size()) label_of_segment(lookup, in[i]);  // throws, naming it
        out[i] = label[segment];
    }
}

// The voxel index (x + y * width + z * width * height) of a coasting track's
// position, when it lies inside the image.
bool voxel_index(const TrackSighting& track, int width, int height, int depth, std::size_t& index) {
    int x = 0, y = 0, z = 0;
    if (!pixel_index(track.position[0], width, x) || !pixel_index(track.position[1], height, y) ||
        !pixel_index(track.position[2], depth, z))
        return false;
    index = static_cast<std::size_t>(x) +
            static_cast<std::size_t>(width) * (static_cast<std::size_t>(y) + static_cast<std::size_t>(height) * z);
    return true;
}

// The rules of paint_mask, without painting. segment_at(i) is the segment of
// voxel i; areas[s] the voxels of segment s.
template <class SegmentAt>
std::vector<bool> marked(const std::vector<TrackSighting>& tracks, int number_of_segments,
                         const std::vector<std::size_t>& areas, int width, int height, int depth,
                         SegmentAt segment_at) {
    const std::size_t none = tracks.size();
    std::vector<std::size_t> owner(static_cast<std::size_t>(std::max(number_of_segments, 0)), none);
    std::map<std::size_t, std::size_t> coast_at;  // voxel -> the last coasting track marking it
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        std::size_t voxel = 0;
        if (tracks[k].segment)
            owner[static_cast<std::size_t>(checked_segment(*tracks[k].segment, number_of_segments))] = k;
        else if (voxel_index(tracks[k], width, height, depth, voxel))
            coast_at[voxel] = k;
    }
    std::vector<std::size_t> covered(owner.size(), 0);  // voxels of each segment under a coast's mark
    std::vector<bool> result(tracks.size(), false);
    for (const auto& [voxel, k] : coast_at) {
        result[k] = true;
        const int segment = segment_at(voxel);
        if (segment >= 0 && static_cast<std::size_t>(segment) < covered.size()) ++covered[static_cast<std::size_t>(segment)];
    }
    for (std::size_t s = 0; s < owner.size(); ++s)
        if (owner[s] != none && areas[s] > covered[s]) result[owner[s]] = true;
    return result;
}

template <class Segments>
void count_areas(const Segments& labels, std::vector<std::size_t>& areas) {
    // Most pixels are background (segment 0): counted in a register, as one
    // counter in memory incremented a million times waits on itself.
    std::size_t background = 0;
    for (int label : labels) {
        if (label == 0)
            ++background;
        else if (label > 0 && static_cast<std::size_t>(label) < areas.size())
            ++areas[static_cast<std::size_t>(label)];
    }
    if (!areas.empty()) areas[0] += background;
}

}  // namespace

std::vector<bool> marked_tracks(const ipc::SegmentImage& segmentation, const std::vector<TrackSighting>& tracks) {
    std::vector<std::size_t> areas(static_cast<std::size_t>(std::max(segmentation.number_of_segments, 0)), 0);
    count_areas(segmentation, areas);
    return marked(tracks, segmentation.number_of_segments, areas, segmentation.width(), segmentation.height(), 1,
                  [&](std::size_t i) { return segmentation[i]; });
}

std::vector<bool> marked_tracks(const ipc::SegmentRuns& segmentation, const std::vector<TrackSighting>& tracks) {
    // Areas as count_areas counts them: labels outside the segmentation's
    // range are left out.
    std::vector<std::size_t> areas(static_cast<std::size_t>(std::max(segmentation.number_of_segments(), 0)), 0);
    std::size_t labelled = 0;
    for (const ipc::SegmentRuns::Run& run : segmentation.runs()) {
        labelled += run.length;
        if (run.label > 0 && static_cast<std::size_t>(run.label) < areas.size())
            areas[static_cast<std::size_t>(run.label)] += run.length;
    }
    if (!areas.empty())
        areas[0] = static_cast<std::size_t>(segmentation.width()) * static_cast<std::size_t>(segmentation.height()) -
                   labelled;
    return marked(tracks, segmentation.number_of_segments(), areas, segmentation.width(), segmentation.height(), 1,
                  [&](std::size_t i) { return segmentation.label_at(i); });
}

std::vector<bool> marked_tracks(const ipc::SegmentImage3d& segmentation, const std::vector<TrackSighting>& tracks) {
    std::vector<std::size_t> areas(static_cast<std::size_t>(std::max(segmentation.number_of_segments, 0)), 0);
    for (const auto& slice : segmentation.slices()) count_areas(slice, areas);
    const std::size_t slice_size = static_cast<std::size_t>(segmentation.width()) * segmentation.height();
    return marked(tracks, segmentation.number_of_segments, areas, segmentation.width(), segmentation.height(),
                  segmentation.depth(), [&](std::size_t i) {
                      return segmentation.slice(static_cast<int>(i / slice_size))[i % slice_size];
                  });
}

namespace {

// Each coasting track marks the pixel at its position.
void mark_coasts(const std::vector<TrackSighting>& tracks, const std::vector<std::int32_t>& labels, Mask& mask) {
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        if (tracks[k].segment || labels[k] == 0) continue;
        int x = 0, y = 0;
        if (pixel_index(tracks[k].position[0], mask.width(), x) &&
            pixel_index(tracks[k].position[1], mask.height(), y))
            mask(x, y) = static_cast<unsigned short>(labels[k]);
    }
}

}  // namespace

Mask paint_mask(const ipc::SegmentImage& segmentation, const std::vector<TrackSighting>& tracks,
                const std::vector<std::int32_t>& labels) {
    const auto lookup = segment_labels(segmentation.number_of_segments, tracks, labels);
    Mask mask;
    paint_slice(segmentation, lookup, mask);
    mark_coasts(tracks, labels, mask);
    return mask;
}

Mask paint_mask(const ipc::SegmentRuns& segmentation, const std::vector<TrackSighting>& tracks,
                const std::vector<std::int32_t>& labels) {
    const auto lookup = segment_labels(segmentation.number_of_segments(), tracks, labels);
    Mask mask;
    mask.resize_for_overwrite(segmentation.width(), segmentation.height());  // gaps and runs cover every pixel
    unsigned short* out = mask.data();
    // The pixels between runs are background, segment 0, mapped as every
    // segment is (a label out of range throws, naming it).
    auto background = [&](std::size_t from, std::size_t to) {
        if (from < to) std::fill(out + from, out + to, label_of_segment(lookup, 0));
    };
    std::size_t at = 0;
    for (const ipc::SegmentRuns::Run& run : segmentation.runs()) {
        background(at, run.start);
        std::fill_n(out + run.start, run.length, label_of_segment(lookup, run.label));
        at = std::size_t{run.start} + run.length;
    }
    background(at, mask.size());
    mark_coasts(tracks, labels, mask);
    return mask;
}

Mask3d paint_mask(const ipc::SegmentImage3d& segmentation, const std::vector<TrackSighting>& tracks,
                  const std::vector<std::int32_t>& labels) {
    const auto lookup = segment_labels(segmentation.number_of_segments, tracks, labels);
    Mask3d mask(segmentation.width(), segmentation.height(), segmentation.depth());
    for (int z = 0; z < segmentation.depth(); ++z) paint_slice(segmentation.slice(z), lookup, mask.slice(z));
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        if (tracks[k].segment || labels[k] == 0) continue;
        int x = 0, y = 0, z = 0;
        if (pixel_index(tracks[k].position[0], mask.width(), x) &&
            pixel_index(tracks[k].position[1], mask.height(), y) &&
            pixel_index(tracks[k].position[2], mask.depth(), z))
            mask(x, y, z) = static_cast<unsigned short>(labels[k]);
    }
    return mask;
}

void write_mask(const std::string& name, const Mask& mask, ipc::TiffCompression compression) {
    ipc::TiffFile file(name, "w");
    if (!file.is_open()) throw util::Exception("Unable to open file: " + name);
    ipc::write_greyscale_page(file, mask, compression);
    file.close();
}

void write_mask(const std::string& name, const Mask3d& mask, ipc::TiffCompression compression) {
    if (mask.depth() == 0) throw util::Exception("cannot write an empty 3-D mask, file = " + name);
    ipc::TiffFile file(name, "w");
    if (!file.is_open()) throw util::Exception("Unable to open file: " + name);
    for (const Mask& slice : mask.slices()) {
        ipc::write_greyscale_page(file, slice, compression);
        file.require(TIFFWriteDirectory(file.handle()) == 1, "unable to write directory");
    }
    file.close();
}

}  // namespace isbi
