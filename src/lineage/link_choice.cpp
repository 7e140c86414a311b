#include "lineage/link_choice.h"

#include <algorithm>

namespace lineage {

namespace {

// The facts the division model reads about a mother in the frame of her
// daughters: her last shape and her age when her birth was seen.
DivisionModel::Mother mother_facts(const TrackHistory& mother, const Sighting& last_contact, int frame) {
    DivisionModel::Mother facts;
    facts.shape = last_contact.shape;
    if (mother.birth) facts.age = frame - *mother.birth;
    return facts;
}

// The 0-1 program: one row per start, per end and per (mother, frame) that
// a candidate uses, each with a slack column of score 0 (left unlinked).
class Program {
public:
    void add(Link link, const std::vector<std::pair<int, state::Label>>& row_keys) {
        std::vector<int> rows;
        for (const auto& key : row_keys) {
            auto found = rows_.find(key);
            if (found == rows_.end()) found = rows_.emplace(key, static_cast<int>(rows_.size())).first;
            rows.push_back(found->second);
        }
        links_.push_back(std::move(link));
        link_rows_.push_back(std::move(rows));
    }

    std::vector<Link> solve(ostrel::AssignmentSolver& solver, int resolution) {
        if (links_.empty()) return {};
        const int slacks = static_cast<int>(rows_.size());
        ostrel::BinaryProgram program(slacks + static_cast<int>(links_.size()));
        std::vector<std::vector<int>> members(rows_.size());
        for (int r = 0; r < slacks; ++r) members[r].push_back(r);
        for (std::size_t k = 0; k < links_.size(); ++k) {
            const int column = slacks + static_cast<int>(k);
            program.set_score(column, links_[k].score);
            for (int r : link_rows_[k]) members[r].push_back(column);
        }
        for (const auto& row : members) program.add_row(row);
        std::vector<Link> chosen;
        for (int column : solver.solve(program, resolution))
            if (column >= slacks) chosen.push_back(links_[column - slacks]);
        return chosen;
    }

private:
    // Row keys: (kind, label) with kind 0 a start, 1 an end, 2 + frame a
    // mother dividing in that frame.
    std::map<std::pair<int, state::Label>, int> rows_;
    std::vector<Link> links_;
    std::vector<std::vector<int>> link_rows_;
};

enum RowKind { start_row = 0, end_row = 1, division_row = 2 };

}  // namespace

std::vector<Link> choose_links(const std::map<state::Label, TrackHistory>& tracks,
                               const std::vector<state::Label>& open_starts, const LinkingModel& model,
                               ostrel::AssignmentSolver& solver, int resolution) {
    // Open starts by frame, for pairing daughters.
    std::map<int, std::vector<state::Label>> starts_by_frame;
    for (const state::Label& label : open_starts)
        starts_by_frame[tracks.at(label).first_frame()].push_back(label);

    Program program;
    for (const auto& [frame, starts] : starts_by_frame) {
        for (const auto& [label, source] : tracks) {
            if (source.first_frame() >= frame) continue;
            const auto prediction = source.predict(frame);
            if (!prediction) continue;
            const Sighting& last = *source.last_contact_before(frame);
            const DivisionModel::Mother facts = mother_facts(source, last, frame);

            if (source.last_frame() < frame) {
                // An ended track: found again, or a mother whose track ended.
                if (source.end_consumed) continue;
                for (std::size_t i = 0; i < starts.size(); ++i) {
                    const Sighting& a = *tracks.at(starts[i]).at(frame);
                    if (const auto score = model.found_again(*prediction, a))
                        program.add({Link::Kind::found_again, label, {starts[i]}, frame, prediction->unseen, *score},
                                    {{start_row, starts[i]}, {end_row, label}});
                    for (std::size_t j = i + 1; j < starts.size(); ++j) {
                        const Sighting& b = *tracks.at(starts[j]).at(frame);
                        if (const auto score = model.division(*prediction, facts, a, b))
                            program.add({Link::Kind::division, label, {starts[i], starts[j]}, frame,
                                         prediction->unseen, *score},
                                        {{start_row, starts[i]}, {start_row, starts[j]}, {end_row, label}});
                    }
                }
                continue;
            }
            // A track under way whose contact in this frame may be a daughter.
            const Sighting* continuation = source.at(frame);
            if (!continuation || !continuation->contact) continue;
            for (const state::Label& start : starts) {
                const Sighting& sister = *tracks.at(start).at(frame);
                if (const auto score = model.continued_division(*prediction, facts, *continuation, sister))
                    program.add({Link::Kind::continued_division, label, {start}, frame, 0, *score},
                                {{start_row, start}, {division_row + frame, label}});
            }
        }
    }
    return program.solve(solver, resolution);
}

}  // namespace lineage
