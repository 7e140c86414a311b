#include "tracker/multiple_hypothesis_tracker.h"

#include <algorithm>
#include <sstream>
#include <string>

#include "model/label.h"
#include "util/exception.h"

namespace ostrel {
namespace {

LpPrintSettings read_print_lps(const xml::Querier& querier) {
    LpPrintSettings settings;
    xml::Querier print;
    if (!querier.find_tag("print_lps", print)) return settings;
    std::string active;
    // Missing: the Querier's attribute error. Present: only exactly "true"
    // turns the files on.
    if (!print.find_att("active", active)) print.att("active", active);
    if (active != "true") return settings;
    settings.active = true;
    settings.directory = print.read_raw("directory");
    return settings;
}

// An optional "true" or "false"; any other text is refused by name.
bool read_switch(const xml::Querier& querier, const std::string& key, bool fallback) {
    xml::Querier element;
    if (!querier.find_tag(key, element)) return fallback;
    const std::string& text = element.raw_text();
    if (text == "true") return true;
    if (text == "false") return false;
    throw util::Exception("multiple_hypothesis_tracker: " + key + " must be true or false: " + key +
                          " = " + text);
}

}  // namespace

// The tree is built first, so the tracker takes its label source before
// anything else is read.
MultipleHypothesisTracker::MultipleHypothesisTracker(const xml::Querier& querier)
    : tree_(state::take_label_source()) {
    const LpPrintSettings print_lps = read_print_lps(querier);
    // The first word of the text; an empty text, like any unknown one,
    // selects greedy.
    std::string algorithm_text;
    std::istringstream(querier.read_raw("assignment_algorithm")) >> algorithm_text;
    const AssignmentAlgorithm algorithm = assignment_algorithm_from_text(algorithm_text);
    nscan_ = querier.read<std::int32_t>("nscan");
    // Optional: "false" turns the position index of new contacts off, for
    // checking that it changes nothing.
    tree_.set_gate_index(read_switch(querier, "gate_index", true));
    HypothesisLimits limits;
    querier.read_optional("maximum_hypotheses_per_track", limits.per_track);
    querier.read_optional("maximum_contacts_per_hypothesis", limits.contacts_per_hypothesis);
    querier.read_optional("hypothesis_ratio", limits.ratio);
    tree_.set_limits(limits);
    // Optional: the most hypotheses of one cluster that "optimal", "hybrid"
    // and "branch_and_bound" solve as configured (0: no limit); a larger
    // cluster is settled greedily, with one warning per run.
    std::int32_t largest_cluster = kDefaultLargestCluster;
    querier.read_optional("maximum_program_columns", largest_cluster);
    tree_.set_solver(AssignmentSolver(algorithm, print_lps, largest_cluster));
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
