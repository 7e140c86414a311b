#pragma once
#include <optional>
#include <string>

#include "lineage/division_model.h"
#include "lineage/track_history.h"
#include "xml/querier.h"

namespace lineage {

// The scores the lineage linker weighs: each is the log-odds of a link
// against leaving its pieces unlinked (the tracks that start are cells
// appearing from nowhere, the track that ends is a cell that left or died).
//
// Elements (all required unless marked):
//   "window"                 frames held back before a frame's links are
//                            committed, so that later starts compete for the
//                            same ends (>= maximum_gap);
//   "maximum_gap"            frames a cell may go unseen and still be found
//                            again (>= 0);
//   "search_radius"          pixels (> 0): the farthest a cell found again,
//                            or a daughter, may start from where her track
//                            was predicted;
//   "motion_sigma"           pixels (> 0): how far a cell strays in one frame
//                            from the track's prediction;
//   "detection_probability"  chance that the segmentation finds a cell in a
//                            frame, in (0, 1);
//   "end_probability"        chance that a track ends for good in a given
//                            frame (the cell leaves the field or dies), in
//                            (0, 1);
//   "appearance_probability" chance that a new track is a cell appearing
//                            (entering the field) rather than a daughter or
//                            a cell found again, in (0, 1);
//   "division_model"         see DivisionModel.
//
// With A = ln((1 - appearance) / appearance) per start explained,
// E = ln((1 - end) / end), g frames unseen, s = motion_sigma:
//   found again:         A + E + g ln(1 - Pd) - 1/2 d^2 / (s^2 (g + 1))
//   mother ends, two daughters start:
//                        2 A - ln(end) + g ln(1 - Pd) + ln L_division
//   mother's track goes on with one daughter, the other starts:
//                        A - ln(1 - P_division) + ln L_division + 1/2 d^2 / s^2
//                        (d: the continuing daughter from the prediction,
//                        whose move no longer needs explaining)
class LinkingModel {
public:
    explicit LinkingModel(const xml::Querier& querier);

    int window() const { return window_; }
    int maximum_gap() const { return maximum_gap_; }

    // A track predicted at `end` found again at `start`.
    std::optional<double> found_again(const Prediction& end, const Sighting& start) const;

    // The mother (predicted at `mother`, with her last shape and age)
    // divided into a and b, her track having ended.
    std::optional<double> division(const Prediction& mother, const DivisionModel::Mother& facts, const Sighting& a,
                                   const Sighting& b) const;

    // The mother's track went on with `continuation` while `sister` started.
    std::optional<double> continued_division(const Prediction& mother, const DivisionModel::Mother& facts,
                                             const Sighting& continuation, const Sighting& sister) const;

private:
    bool within_reach(const Prediction& from, const Sighting& to) const;
    std::optional<double> division_fit(const Prediction& mother, DivisionModel::Mother facts, const Sighting& a,
                                       const Sighting& b) const;

    int window_ = 0;
    int maximum_gap_ = 0;
    double search_radius_ = 0.0;
    double motion_variance_ = 0.0;
    double log_miss_ = 0.0;          // ln(1 - Pd)
    double log_end_ = 0.0;           // ln(end)
    double end_odds_ = 0.0;          // E
    double appearance_odds_ = 0.0;   // A
    DivisionModel division_model_;
};

}  // namespace lineage
