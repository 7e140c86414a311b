#include "evaluation/sequence_evaluation.h"

#include <filesystem>
#include <regex>

#include "evaluation/lineage_measures.h"
#include "evaluation/numbered_files.h"
#include "evaluation/result_validation.h"
#include "evaluation/segmentation_measure.h"
#include "imaging/tiff_readers.h"

namespace ctc {

namespace {

namespace fs = std::filesystem;

std::string file_name(const std::string& path) { return fs::path(path).filename().string(); }

// The folder that holds man_track.txt and its masks.
std::string tracking_truth_folder(const std::string& gt_dir) {
    for (const fs::path& folder : {fs::path(gt_dir) / "TRA", fs::path(gt_dir)})
        if (fs::is_regular_file(folder / "man_track.txt")) return folder.string();
    throw GroundTruthError("no ground truth in " + gt_dir + ": neither TRA/man_track.txt nor man_track.txt");
}

// One annotated segmentation of the ground truth: a whole frame, or one
// slice (z >= 0) of a 3-D frame.
struct SegmentationTruth {
    std::string path;
    int z = -1;
};

std::multimap<int, SegmentationTruth> segmentation_truth(const std::string& gt_dir) {
    std::multimap<int, SegmentationTruth> files;
    const fs::path folder = fs::path(gt_dir) / "SEG";
    std::error_code error;
    if (!fs::is_directory(folder, error)) return files;
    static const std::regex whole("man_seg([0-9]{1,9})\\.tiff?"), slice("man_seg_([0-9]{1,9})_([0-9]{1,9})\\.tiff?");
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        std::smatch digits;
        if (std::regex_match(name, digits, whole))
            files.emplace(std::stoi(digits[1]), SegmentationTruth{entry.path().string(), -1});
        else if (std::regex_match(name, digits, slice))
            files.emplace(std::stoi(digits[1]), SegmentationTruth{entry.path().string(), std::stoi(digits[2])});
    }
    return files;
}

LabelVolume read_truth_mask(const std::string& path) {
    try {
        return ipc::read_short_image_3d_tiff(path);
    } catch (const util::Exception& error) {
        throw GroundTruthError(error.what());
    }
}

// Adds the segmentation scores of the annotations of one frame.
void score_segmentation(const std::multimap<int, SegmentationTruth>& truth, int frame, const LabelVolume& computed,
                        SegmentationScore& score) {
    const auto [first, last] = truth.equal_range(frame);
    for (auto it = first; it != last; ++it) {
        const LabelVolume reference = read_truth_mask(it->second.path);
        LabelVolume compared;
        const LabelVolume* against = &computed;
        if (it->second.z >= 0) {
            if (it->second.z >= computed.depth())
                throw GroundTruthError(file_name(it->second.path) + " names slice " + std::to_string(it->second.z) +
                                       " of a frame of depth " + std::to_string(computed.depth()));
            compared.resize(computed.width(), computed.height(), 1);
            compared.slice(0) = computed.slice(it->second.z);
            against = &compared;
        }
        if (!reference.same_size(*against))
            throw GroundTruthError(file_name(it->second.path) + " is " + size_text(reference) + ", the result " +
                                   size_text(*against));
        score.add(overlap(reference, *against));
    }
}

std::vector<Measure> measures_of(const MatchedFrames& frames, const TrackTable& reference, const TrackTable& computed,
                                 GraphEdits& edits) {
    edits = count_graph_edits(frames, reference, computed);
    std::vector<Measure> measures = {
        {"DET", detection_accuracy(edits)},
        {"TRA", tracking_accuracy(edits)},
        {"LNK", linking_accuracy(edits)},
    };
    for (int i = 0; i <= 3; ++i)
        measures.push_back({"BC(" + std::to_string(i) + ")", branching_correctness(frames, reference, computed, i)});
    measures.push_back({"CT", complete_tracks(frames, reference, computed)});
    measures.push_back({"TF", track_fractions(frames, reference)});
    measures.push_back({"CCA", cell_cycle_accuracy(reference, computed)});
    return measures;
}

}  // namespace

Evaluation evaluate_sequence(const std::string& gt_dir, const std::string& res_dir) {
    Evaluation evaluation;
    auto& problems = evaluation.problems;

    const std::string truth_folder = tracking_truth_folder(gt_dir);
    TrackTable reference;
    std::map<int, std::string> truth_masks;
    try {
        reference = read_track_table((fs::path(truth_folder) / "man_track.txt").string(), "man_track.txt");
        truth_masks = numbered_tiffs(truth_folder, "man_track");
    } catch (const util::Exception& error) {
        throw GroundTruthError(error.what());
    }
    if (truth_masks.empty()) throw GroundTruthError("no man_trackNNN.tif in " + truth_folder);
    const auto segmentations = segmentation_truth(gt_dir);

    if (!fs::is_directory(res_dir)) return {{"no result folder " + res_dir}, {}, {}};
    const std::string lineage = (fs::path(res_dir) / "res_track.txt").string();
    if (!fs::is_regular_file(lineage)) return {{"no res_track.txt in " + res_dir}, {}, {}};
    TrackTable computed;
    std::map<int, std::string> result_masks;
    try {
        computed = read_track_table(lineage, "res_track.txt");
        result_masks = numbered_tiffs(res_dir, "mask");
    } catch (const util::Exception& error) {
        return {{error.what()}, {}, {}};
    }
    for (const auto& [frame, path] : result_masks)
        if (!truth_masks.count(frame))
            problems.push_back(file_name(path) + " has no frame in the ground truth (frames " +
                               std::to_string(truth_masks.begin()->first) + "-" +
                               std::to_string(truth_masks.rbegin()->first) + ")");

    MatchedFrames frames;
    std::map<int, MaskLabels> painted;
    SegmentationScore segmentation;
    for (const auto& [frame, truth_path] : truth_masks) {
        const auto result_path = result_masks.find(frame);
        if (result_path == result_masks.end()) {
            problems.push_back("no mask for frame " + std::to_string(frame) + " (reference " +
                               file_name(truth_path) + ")");
            continue;
        }
        const LabelVolume truth = read_truth_mask(truth_path);
        LabelVolume result;
        try {
            result = ipc::read_short_image_3d_tiff(result_path->second);
        } catch (const util::Exception& error) {
            problems.push_back(error.what());
            continue;
        }
        const std::string name = file_name(result_path->second);
        if (!truth.same_size(result)) {
            problems.push_back(name + " is " + size_text(result) + ", its reference " + file_name(truth_path) +
                               " " + size_text(truth));
            continue;
        }
        const FrameOverlap shared = overlap(truth, result);
        frames.emplace(frame, FrameMatching(shared));
        painted[frame] = MaskLabels{name, frames.at(frame).computed()};
        if (problems.empty()) score_segmentation(segmentations, frame, result, segmentation);
    }
    if (problems.size() > fault_limit) problems.resize(fault_limit);
    if (!problems.empty()) return evaluation;
    problems = result_problems(computed, painted, fault_limit);
    if (!problems.empty()) return evaluation;

    evaluation.measures = measures_of(frames, reference, computed, evaluation.edits);
    if (!segmentations.empty()) evaluation.measures.push_back({"SEG", segmentation.mean()});
    return evaluation;
}

}  // namespace ctc
