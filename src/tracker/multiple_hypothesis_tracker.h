#pragma once
#include <cstdint>

#include "config/schema.h"
#include "config/switch_form.h"
#include "pipeline/component.h"
#include "tracker/hypothesis_tree.h"

namespace ostrel {

// The tracker stage: turns TrackReportFrames of contacts into
// TrackReportFrames of confirmed tracks, delayed by the n-scan depth. A
// frame's decisions are committed once "nscan" further frames have been
// seen; at the end of input the remaining frames are committed and
// reported in order, then the end of input is passed on. Every input frame
// gives exactly one output frame with its time. Component key
// "multiple_hypothesis_tracker".
//
// Configuration (see schema()): "print_lps" (optional; attribute "active"
// exactly "true" turns the program files on, and then "directory" names
// their folder), "assignment_algorithm" (text; unknown texts select greedy),
// "nscan" (integer; a negative depth acts as 0), and optionally
// "gate_index" (exactly true or false, default true: index new contacts by
// position; the decisions are the same either way) and the hypothesis bound
// "maximum_hypotheses_per_track" (default 64), "maximum_contacts_per_hypothesis"
// (default 16) and "hypothesis_ratio" (default 0, off; see HypothesisLimits),
// and "maximum_program_columns" (default 50000; 0: no limit), the largest
// cluster of hypotheses the program-solving algorithms solve as configured
// (see AssignmentSolver).
class MultipleHypothesisTracker : public cmpnt::MonoChildComponent {
public:
    // Far above the clusters of ordinary data (a colony of 300 touching rods
    // makes clusters of about 22000), far below those of an over-segmented
    // mask (150000 for a 32 x 32 block of one-pixel cells).
    static constexpr std::int32_t kDefaultLargestCluster = 50000;

    struct Parameters {
        LpPrintSettings print_lps;  // off by default
        AssignmentAlgorithm assignment_algorithm = AssignmentAlgorithm::greedy;
        std::int32_t nscan = 0;
        config::Switch gate_index = true;
        std::int32_t maximum_hypotheses_per_track = HypothesisLimits{}.per_track;
        std::int32_t maximum_contacts_per_hypothesis = HypothesisLimits{}.contacts_per_hypothesis;
        double hypothesis_ratio = HypothesisLimits{}.ratio;
        std::int32_t maximum_program_columns = kDefaultLargestCluster;
    };
    static const config::Schema<Parameters>& schema();

    // The tree is built first, so the tracker takes its label source before
    // anything else is made.
    explicit MultipleHypothesisTracker(const Parameters& parameters);
    explicit MultipleHypothesisTracker(const xml::Querier& querier)
        : MultipleHypothesisTracker(schema().bind(querier)) {}

    void push_frame(cmpnt::FramePtr frame) override;

    std::int32_t nscan() const { return nscan_; }
    const HypothesisTree& tree() const { return tree_; }

private:
    void emit_oldest();

    HypothesisTree tree_;
    std::int32_t nscan_ = 0;
};

}  // namespace ostrel
