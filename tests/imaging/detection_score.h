#pragma once
#include <map>
#include <string>
#include <vector>

#include "imaging/image.h"

namespace ipc_test {

// How well a segmentation finds the nuclei of a truth mask, by the
// cell-tracking-challenge rule: a result segment covers a true nucleus when
// it holds more than half of the nucleus' pixels.
struct DetectionScore {
    int true_nuclei = 0;      // counted: at least `smallest` visible pixels
    int detected = 0;         // covered by some result segment
    int result_segments = 0;  // non-zero result labels
    int merging_segments = 0; // result segments covering two or more true nuclei
    int empty_segments = 0;   // result segments covering no true nucleus (noise or pieces)
    std::vector<std::string> missed;  // "frame f label l (n pixels at x, y)"
    std::vector<std::string> merging; // "frame f segment s covers labels a b ..."

    DetectionScore& operator+=(const DetectionScore& other);
    double detected_fraction() const { return true_nuclei ? double(detected) / true_nuclei : 1.0; }
    double merging_fraction() const { return result_segments ? double(merging_segments) / result_segments : 0.0; }
};

// truth: 0 background, one label per nucleus; result: 0 background, one
// label per segment. Nuclei with fewer than `smallest` pixels are not
// counted (they cannot be told from noise).
DetectionScore score_detection(const ipc::Image<unsigned short>& truth, const ipc::Image<int>& result,
                               int smallest, int frame = 0);

}  // namespace ipc_test
