#include "tracker/multiple_hypothesis_tracker.h"

#include <algorithm>
#include <string>

#include "model/label.h"
#include "tracker/assignment/algorithm_form.h"
#include "util/exception.h"

namespace ostrel {
namespace {

// The "print_lps" element. A missing "active" attribute is the Querier's
// attribute error; only exactly "true" turns the files on, and then
// "directory" is required.
LpPrintSettings read_print_lps(const xml::Querier& print) {
    LpPrintSettings settings;
    std::string active;
    if (!print.find_att("active", active)) print.att("active", active);
    if (active != "true") return settings;
    settings.active = true;
    settings.directory = print.read_raw("directory");
    return settings;
}

}  // namespace

const config::Schema<MultipleHypothesisTracker::Parameters>& MultipleHypothesisTracker::schema() {
    using P = Parameters;
    const config::Check<double> below_one{"at least 0 and less than 1",
                                          [](const double& r) { return r >= 0.0 && r < 1.0; }, {}};
    static const auto schema =
        config::Schema<P>("multiple_hypothesis_tracker",
                          "links contact frames into tracks by multiple hypotheses, committing each frame's "
                          "decisions nscan frames late")
            .product(&P::print_lps, "print_lps", "an element with attribute active and child directory",
                     "active=\"true\" writes every assignment program to directory/<resolution>.lp",
                     &read_print_lps, false)
            .required(&P::assignment_algorithm, "assignment_algorithm", "how the 0-1 assignment is solved")
            .required(&P::nscan, "nscan", "frames seen after a frame before its decisions are committed "
                                          "(a negative depth acts as 0)")
            .optional(&P::gate_index, "gate_index",
                      "index new contacts by position (the decisions are the same either way)")
            .optional(&P::maximum_hypotheses_per_track, "maximum_hypotheses_per_track",
                      "new hypotheses kept per track and scan, best first", config::at_least<std::int32_t>(1))
            .optional(&P::maximum_contacts_per_hypothesis, "maximum_contacts_per_hypothesis",
                      "nearest new contacts in a hypothesis's gate that extend it", config::at_least<std::int32_t>(1))
            .optional(&P::hypothesis_ratio, "hypothesis_ratio",
                      "prune a hypothesis less likely than this fraction of its track's best (0: off)", below_one)
            .optional(&P::maximum_program_columns, "maximum_program_columns",
                      "largest cluster of hypotheses that optimal, hybrid and branch_and_bound solve as "
                      "configured; a larger one is chosen greedily, with a warning (0: no limit)",
                      config::at_least<std::int32_t>(0))
            .rule("print_lps", "given a directory when active",
                  [](const P& p) { return !p.print_lps.active || !p.print_lps.directory.empty(); },
                  [](const P& p) { return "directory \"" + p.print_lps.directory + "\""; });
    return schema;
}

MultipleHypothesisTracker::MultipleHypothesisTracker(const Parameters& parameters)
    : tree_(state::take_label_source()), nscan_(schema().validate(parameters).nscan) {
    tree_.set_gate_index(parameters.gate_index);
    HypothesisLimits limits;
    limits.per_track = parameters.maximum_hypotheses_per_track;
    limits.contacts_per_hypothesis = parameters.maximum_contacts_per_hypothesis;
    limits.ratio = parameters.hypothesis_ratio;
    tree_.set_limits(limits);
    tree_.set_solver(AssignmentSolver(parameters.assignment_algorithm, parameters.print_lps,
                                      parameters.maximum_program_columns));
}

void MultipleHypothesisTracker::push_frame(cmpnt::FramePtr frame) {
    if (frame) {
        tree_.update(frame);
        // The window holds nscan + 1 frames after each commit.
        const std::size_t depth = static_cast<std::size_t>(std::max<std::int32_t>(nscan_, 0));
        if (tree_.frame_count() > depth + 1) emit_oldest();
        return;
    }
    while (tree_.frame_count() > 1) emit_oldest();
    child().push_frame(nullptr);
}

void MultipleHypothesisTracker::emit_oldest() {
    tree_.resolve();
    child().push_frame(tree_.report());
}

}  // namespace ostrel
