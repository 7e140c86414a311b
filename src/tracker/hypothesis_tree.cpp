#include "tracker/hypothesis_tree.h"

#include "util/exception.h"

namespace ostrel {

HypothesisTree::HypothesisTree(std::int32_t tracker_id, AssignmentSolver solver)
    : tracker_id_(tracker_id), frames_(1), remap_(tracker_id), solver_(std::move(solver)) {}

BinaryProgram HypothesisTree::build_program() {
    column_nodes_.clear();
    column_nodes_.reserve(hypothesis_count());
    for (const NodeList* list : {&leaves_, &zombies_, &terminated_}) {
        for (const HypothesisNodePtr& node : *list) {
            node->column = static_cast<std::int32_t>(column_nodes_.size());
            column_nodes_.push_back(node.get());
        }
    }
    const int columns = static_cast<int>(column_nodes_.size());
    BinaryProgram program(columns);
    // A score of -infinity (a coast under a detection probability of 1) is
    // clamped to a finite one here, before any solver sees it.
    for (int column = 0; column < columns; ++column)
        program.set_score(column, column_nodes_[column]->score);

    std::vector<int> row;
    for (const auto& group : groups_.list()) {
        if (group->merged || group->members.empty()) continue;
        row.clear();
        for (const HypothesisNode* member : group->members) {
            const int column = member->column;
            // Every member is in one of the three lists; anything else is a
            // broken invariant, not a row to guess at.
            if (column < 0 || column >= columns || column_nodes_[column] != member)
                throw util::Exception("contact group member has no column: track number = " +
                                      std::to_string(member->track_number));
            row.push_back(column);
        }
        program.add_row(row);
    }
    return program;
}

frame::TrackReportFramePtr HypothesisTree::report() const {
    auto oldest = frame::cast<frame::TrackReportFrame>(frames_.front());
    auto output = std::make_shared<frame::TrackReportFrame>(oldest->time);
    output->coast_track_report = oldest->coast_track_report;
    output->track_reports.reserve(heads_.size());
    for (const HypothesisNodePtr& head : heads_) {
        auto copy = std::make_shared<TrackReport>(*head->report);
        copy->relabel(state::Label{tracker_id_, head->track_number});
        output->track_reports.push_back(std::move(copy));
    }
    return output;
}

}  // namespace ostrel
