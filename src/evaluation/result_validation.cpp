#include "evaluation/result_validation.h"

#include <algorithm>
#include <filesystem>

#include "evaluation/label_overlap.h"
#include "evaluation/numbered_files.h"
#include "imaging/tiff_readers.h"
#include "util/exception.h"

namespace ctc {

namespace {

// Collects faults up to a limit.
class Faults {
public:
    explicit Faults(std::size_t limit) : limit_(limit) {}
    bool full() const { return list_.size() >= limit_; }
    void add(std::string fault) {
        if (!full()) list_.push_back(std::move(fault));
    }
    std::vector<std::string> take() { return std::move(list_); }

private:
    std::size_t limit_;
    std::vector<std::string> list_;
};

std::string label_text(Label label) { return "Label " + std::to_string(label); }

void check_parents(const TrackTable& tracks, Faults& faults) {
    for (const auto& [label, track] : tracks) {
        if (track.parent == 0) continue;
        const auto parent = tracks.find(track.parent);
        if (parent == tracks.end())
            faults.add(label_text(label) + " has parent " + std::to_string(track.parent) +
                       ", which res_track.txt does not list");
        else if (parent->second.end >= track.begin)
            faults.add(label_text(label) + " begins in frame " + std::to_string(track.begin) +
                       ", not after its parent " + std::to_string(track.parent) + " ends in frame " +
                       std::to_string(parent->second.end));
    }
}

void check_tracks_in_masks(const TrackTable& tracks, const std::map<int, MaskLabels>& masks, Faults& faults) {
    for (const auto& [label, track] : tracks)
        for (int frame = track.begin; frame <= track.end && !faults.full(); ++frame) {
            const auto mask = masks.find(frame);
            if (mask == masks.end()) {
                faults.add(label_text(label) + " in res_track.txt spans frame " + std::to_string(frame) +
                           ", which has no mask");
                break;
            }
            const auto& present = mask->second.labels;
            if (!std::binary_search(present.begin(), present.end(), label))
                faults.add(label_text(label) + " in res_track.txt but not in " + mask->second.name);
        }
}

void check_masks_in_tracks(const TrackTable& tracks, const std::map<int, MaskLabels>& masks, Faults& faults) {
    for (const auto& [frame, mask] : masks)
        for (Label label : mask.labels) {
            const auto track = tracks.find(label);
            if (track == tracks.end())
                faults.add(label_text(label) + " in " + mask.name + " but not in res_track.txt");
            else if (frame < track->second.begin || frame > track->second.end)
                faults.add(label_text(label) + " in " + mask.name + " outside its frames " +
                           std::to_string(track->second.begin) + "-" + std::to_string(track->second.end) +
                           " in res_track.txt");
        }
}

}  // namespace

std::vector<std::string> result_problems(const TrackTable& tracks, const std::map<int, MaskLabels>& masks,
                                         std::size_t limit) {
    Faults faults(limit);
    check_parents(tracks, faults);
    check_tracks_in_masks(tracks, masks, faults);
    check_masks_in_tracks(tracks, masks, faults);
    return faults.take();
}

std::vector<std::string> validate_result_folder(const std::string& folder, std::size_t limit) {
    namespace fs = std::filesystem;
    TrackTable tracks;
    std::map<int, MaskLabels> masks;
    try {
        const std::string lineage = (fs::path(folder) / "res_track.txt").string();
        if (!fs::exists(lineage)) return {"no res_track.txt in " + folder};
        tracks = read_track_table(lineage, "res_track.txt");
        const auto files = numbered_tiffs(folder, "mask");
        if (files.empty()) return {"no mask files (maskNNN.tif) in " + folder};
        std::string first_size;
        for (const auto& [frame, path] : files) {
            const LabelVolume mask = ipc::read_short_image_3d_tiff(path);
            const std::string name = fs::path(path).filename().string();
            if (first_size.empty()) first_size = size_text(mask);
            if (size_text(mask) != first_size)
                return {name + " is " + size_text(mask) + ", the first mask " + first_size};
            masks[frame] = MaskLabels{name, labels_present(mask)};
        }
    } catch (const util::Exception& error) {
        return {error.what()};
    }
    return result_problems(tracks, masks, limit);
}

}  // namespace ctc
