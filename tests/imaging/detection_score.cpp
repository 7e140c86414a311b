#include "detection_score.h"

namespace ipc_test {

DetectionScore& DetectionScore::operator+=(const DetectionScore& other) {
    true_nuclei += other.true_nuclei;
    detected += other.detected;
    result_segments += other.result_segments;
    merging_segments += other.merging_segments;
    empty_segments += other.empty_segments;
    missed.insert(missed.end(), other.missed.begin(), other.missed.end());
    merging.insert(merging.end(), other.merging.begin(), other.merging.end());
    return *this;
}

DetectionScore score_detection(const ipc::Image<unsigned short>& truth, const ipc::Image<int>& result,
                               int smallest, int frame) {
    std::map<int, int> truth_area;
    std::map<std::pair<int, int>, int> overlap;  // (truth label, result label) -> pixels
    std::map<int, int> result_area;
    std::map<int, std::pair<long, long>> truth_sum;  // sum of x and y, for messages
    for (std::size_t i = 0; i < truth.size(); ++i) {
        if (truth[i]) {
            ++truth_area[truth[i]];
            truth_sum[truth[i]].first += static_cast<long>(i % truth.width());
            truth_sum[truth[i]].second += static_cast<long>(i / truth.width());
        }
        if (result[i]) ++result_area[result[i]];
        if (truth[i] && result[i]) ++overlap[{truth[i], result[i]}];
    }
    DetectionScore score;
    score.result_segments = static_cast<int>(result_area.size());
    std::map<int, std::vector<int>> covered_by_segment;  // result label -> true nuclei it covers
    std::map<int, bool> detected;
    for (const auto& [pair, pixels] : overlap)
        if (2 * pixels > truth_area[pair.first]) {
            detected[pair.first] = true;
            // Small nuclei count for merging too: a segment holding most of
            // two nuclei has joined them, whatever their size.
            covered_by_segment[pair.second].push_back(pair.first);
        }
    for (const auto& [label, area] : truth_area) {
        if (area < smallest) continue;
        ++score.true_nuclei;
        if (detected[label])
            ++score.detected;
        else
            score.missed.push_back("frame " + std::to_string(frame) + " label " + std::to_string(label) + " (" +
                                   std::to_string(area) + " pixels at " + std::to_string(truth_sum[label].first / area) +
                                   ", " + std::to_string(truth_sum[label].second / area) + ")");
    }
    for (const auto& [segment, nuclei] : covered_by_segment) {
        if (nuclei.size() < 2) continue;
        ++score.merging_segments;
        std::string text = "frame " + std::to_string(frame) + " segment " + std::to_string(segment) + " covers labels";
        for (const int label : nuclei) text += " " + std::to_string(label);
        score.merging.push_back(text);
    }
    score.empty_segments = score.result_segments - static_cast<int>(covered_by_segment.size());
    return score;
}

}  // namespace ipc_test
