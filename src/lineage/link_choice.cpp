#include "lineage/link_choice.h"

#include <algorithm>
#include <tuple>

#include "tracker/assignment/careful_greedy.h"
#include "tracker/assignment/greedy_pass.h"
#include "tracker/assignment/linear_program_assignment.h"
#include "tracker/assignment/program_clusters.h"
#include "util/exception.h"

namespace lineage {

namespace {

// Clusters of the link program up to this many columns are solved exactly
// when their relaxation is fractional. A dense colony whose tracks break
// often (a greedy tracker, say) makes clusters of thousands of links, where
// branch and bound ran for hours; those take the rounding of the relaxation.
constexpr int kLargestExactCluster = 2000;
// Beyond this many columns even the relaxation takes minutes (a colony of
// hundreds of rods over-segmented in places makes clusters of 80,000 links):
// such a cluster takes a greedy cover that looks a step ahead, and the
// relaxation only when that finds none.
constexpr int kLargestRelaxedCluster = 20000;

// The pairs of daughters weighed for one mother in one frame.
constexpr std::size_t kPairsPerMother = 8;

std::vector<int> best_cover(const ostrel::BinaryProgram& program) {
    std::vector<int> chosen = ostrel::solve_by_clusters(program, [](const ostrel::BinaryProgram& cluster) {
        if (cluster.column_count() > kLargestRelaxedCluster)
            if (auto cover = ostrel::careful_greedy_cover(cluster, ostrel::normalised_coefficients(cluster)))
                return std::move(*cover);
        return ostrel::solve_integer_program_within(cluster, kLargestExactCluster);
    });
    if (!program.is_exact_cover(chosen)) throw util::Exception("lineage linker: the chosen links are no exact cover");
    return chosen;
}

// The facts the division model reads about a mother in the frame of her
// daughters: her last shape and her age when her birth was seen.
DivisionModel::Mother mother_facts(const TrackHistory& mother, const Sighting& last_contact, int frame) {
    DivisionModel::Mother facts;
    facts.shape = last_contact.shape;
    if (mother.birth) facts.age = frame - *mother.birth;
    return facts;
}

// Row keys: a piece (begins, track, frame), the end of a track that ended
// (ends, track, -1) or of a track cut before a frame (ends, track, frame).
enum RowKind { begins = 0, ends = 1 };
using RowKey = std::tuple<int, state::Label, int>;

// The 0-1 program: one row per piece and end that a candidate uses, each
// with a slack column of score 0 (left unlinked).
class Program {
public:
    void add(Link link) {
        std::vector<int> rows{row({ends, link.source, link.source_cut ? link.frame : -1})};
        for (const Piece& piece : link.starts) rows.push_back(row({begins, piece.track, piece.frame}));
        links_.push_back(std::move(link));
        link_rows_.push_back(std::move(rows));
    }

    std::vector<Piece> cuts;

    // Solves only the part of the program that decides pieces of frame
    // `committed`: a group of rows and links that shares no row with those
    // pieces cannot change them, and is solved again when its own frame
    // comes to be committed.
    std::vector<Link> solve(int committed) {
        std::vector<int> group(rows_.size());
        for (std::size_t r = 0; r < group.size(); ++r) group[r] = static_cast<int>(r);
        const auto find = [&group](int r) {
            while (group[r] != r) r = group[r] = group[group[r]];
            return r;
        };
        for (const auto& rows : link_rows_)
            for (std::size_t k = 1; k < rows.size(); ++k) group[find(rows[k])] = find(rows[0]);
        std::vector<bool> needed(rows_.size(), false);
        for (const auto& [key, r] : rows_)
            if (std::get<0>(key) == begins && std::get<2>(key) == committed) needed[find(r)] = true;

        // The needed rows, renumbered, each with its slack column first.
        std::vector<int> local(rows_.size(), -1);
        int row_count = 0;
        for (std::size_t r = 0; r < rows_.size(); ++r)
            if (needed[find(static_cast<int>(r))]) local[r] = row_count++;
        std::vector<std::size_t> kept;
        for (std::size_t k = 0; k < links_.size(); ++k)
            if (local[link_rows_[k].front()] >= 0) kept.push_back(k);
        if (kept.empty()) return {};

        ostrel::BinaryProgram program(row_count + static_cast<int>(kept.size()));
        std::vector<std::vector<int>> members(static_cast<std::size_t>(row_count));
        for (int r = 0; r < row_count; ++r) members[r].push_back(r);
        for (std::size_t c = 0; c < kept.size(); ++c) {
            const int column = row_count + static_cast<int>(c);
            program.set_score(column, links_[kept[c]].score);
            for (int r : link_rows_[kept[c]]) members[local[r]].push_back(column);
        }
        for (const auto& row : members) program.add_row(row);
        std::vector<Link> chosen;
        for (int column : best_cover(program))
            if (column >= row_count) chosen.push_back(links_[kept[column - row_count]]);
        return chosen;
    }

private:
    int row(const RowKey& key) {
        return rows_.emplace(key, static_cast<int>(rows_.size())).first->second;
    }

    std::map<RowKey, int> rows_;
    std::vector<Link> links_;
    std::vector<std::vector<int>> link_rows_;
};

// A track that may end before `frame`, with where it would be in `frame`.
struct Source {
    state::Label track;
    bool cut = false;
    Prediction prediction;
    DivisionModel::Mother facts;
};

// The candidates of one frame: pieces (the starts and the cut tracks) and
// sources (tracks that ended, and the cut tracks' earlier parts).
void add_frame(const std::map<state::Label, TrackHistory>& tracks, int frame, const std::vector<state::Label>& starts,
               const LinkingModel& model, Program& program) {
    std::vector<Piece> pieces;
    std::vector<const Sighting*> at;  // each piece's sighting in the frame
    for (const state::Label& start : starts) {
        pieces.push_back({start, frame, false});
        at.push_back(tracks.at(start).at(frame));
    }
    std::vector<Source> sources;
    for (const auto& [label, track] : tracks) {
        if (track.first_frame() >= frame) continue;
        const auto prediction = track.predict(frame);
        if (!prediction || prediction->unseen > model.maximum_gap()) continue;
        const Source source{label, track.last_frame() >= frame, *prediction,
                            mother_facts(track, *track.last_contact_before(frame), frame)};
        if (!source.cut) {
            if (!track.end_consumed) sources.push_back(source);
            continue;
        }
        // A track under way is cut when its contact here and a start could
        // be sisters.
        const Sighting* continuation = track.at(frame);
        if (!continuation || !continuation->contact || prediction->unseen != 0) continue;
        const bool beside_a_start = std::any_of(at.begin(), at.begin() + starts.size(), [&](const Sighting* start) {
            return model.division(source.prediction, source.facts, *continuation, *start).has_value();
        });
        if (!beside_a_start) continue;
        sources.push_back(source);
        pieces.push_back({label, frame, true});
        at.push_back(continuation);
        program.cuts.push_back(pieces.back());
    }

    for (const Source& source : sources) {
        std::vector<Link> divisions;
        std::vector<std::size_t> near;
        for (std::size_t i = 0; i < pieces.size(); ++i)
            if (model.within_reach(source.prediction, *at[i])) near.push_back(i);
        for (std::size_t n = 0; n < near.size(); ++n) {
            const std::size_t i = near[n];
            // A cut piece goes on only from its own track or a track that
            // ended, never from another track's cut.
            const bool own = pieces[i].track == source.track;
            const bool trade = pieces[i].cut && source.cut && !own;
            if (const auto score = trade ? std::nullopt : model.found_again(source.prediction, *at[i])) {
                // Keeping a cut track whole is never worse than cutting it
                // for nothing.
                constexpr double least_keep = 1e-3;
                if (own) program.add({Link::Kind::found_again, source.track, true, {pieces[i]}, frame, 0,
                                      std::max(*score, least_keep)});
                else if (*score > 0)
                    program.add({Link::Kind::found_again, source.track, source.cut, {pieces[i]}, frame,
                                 source.prediction.unseen, *score});
            }
            for (std::size_t m = n + 1; m < near.size(); ++m) {
                const std::size_t j = near[m];
                if (const auto score = model.division(source.prediction, source.facts, *at[i], *at[j]);
                    score && *score > 0)
                    divisions.push_back({Link::Kind::division, source.track, source.cut, {pieces[i], pieces[j]},
                                         frame, source.prediction.unseen, *score});
            }
        }
        // Only a mother's likeliest pairs of daughters go into the program:
        // in a dense colony every pair of nearby starts could be her
        // daughters, and the program would grow with the square of them.
        if (divisions.size() > kPairsPerMother) {
            std::stable_sort(divisions.begin(), divisions.end(),
                             [](const Link& a, const Link& b) { return a.score > b.score; });
            divisions.resize(kPairsPerMother);
        }
        for (Link& division : divisions) program.add(std::move(division));
    }
}

}  // namespace

LinkChoice choose_links(const std::map<state::Label, TrackHistory>& tracks, int first_frame,
                        const LinkingModel& model) {
    std::map<int, std::vector<state::Label>> starts_by_frame;
    for (const auto& [label, track] : tracks)
        if (!track.start_decided && track.first_frame() >= first_frame)
            starts_by_frame[track.first_frame()].push_back(label);
    Program program;
    for (const auto& [frame, starts] : starts_by_frame) add_frame(tracks, frame, starts, model, program);
    LinkChoice choice;
    choice.links = program.solve(first_frame);
    choice.cuts = std::move(program.cuts);
    return choice;
}

}  // namespace lineage
