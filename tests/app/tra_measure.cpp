#include "app/tra_measure.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "app/cell_tracking_score.h"
#include "util/exception.h"

namespace tra {

namespace {

using Node = std::pair<int, int>;  // (frame, label)
enum class Kind { link, division };
using Edges = std::map<std::pair<Node, Node>, Kind>;

// The frames in which each label appears in the masks.
using Presence = std::map<int, std::vector<int>>;

Edges graph_edges(const Presence& presence, const std::map<std::int32_t, cell_score::LineageRow>& lineage) {
    Edges edges;
    for (const auto& [label, frames] : presence)
        for (std::size_t i = 1; i < frames.size(); ++i)
            edges[{{frames[i - 1], label}, {frames[i], label}}] = Kind::link;
    for (const auto& [label, row] : lineage) {
        if (row.parent == 0) continue;
        auto child = presence.find(label);
        auto mother = presence.find(row.parent);
        if (child == presence.end() || mother == presence.end()) continue;
        edges[{{mother->second.back(), row.parent}, {child->second.front(), label}}] = Kind::division;
    }
    return edges;
}

}  // namespace

Measure measure(const std::string& truth_folder, const std::string& result_folder, int frames) {
    const auto truth_lineage = cell_score::read_lineage(truth_folder + "/man_track.txt");
    const auto result_lineage = cell_score::read_lineage(result_folder + "/res_track.txt");
    Presence truth_presence, result_presence;
    std::map<Node, Node> match;               // true node -> result node
    std::map<Node, int> matches_of_result;    // result node -> true nodes matched to it
    Measure m;
    for (int f = 0; f < frames; ++f) {
        const auto truth = cell_score::read_mask(cell_score::mask_path(truth_folder, "man_track", f));
        const auto result = cell_score::read_mask(cell_score::mask_path(result_folder, "mask", f));
        if (!truth.same_size(result)) throw util::Exception("masks of frame " + std::to_string(f) + " differ in size");
        std::map<int, int> area;
        std::map<std::pair<int, int>, int> overlap;
        std::set<int> result_labels;
        auto out = result.begin();
        for (auto value : truth) {
            const int r = *out++;
            if (r != 0) result_labels.insert(r);
            if (value == 0) continue;
            ++area[value];
            if (r != 0) ++overlap[{value, r}];
        }
        for (const auto& [label, pixels] : area) truth_presence[label].push_back(f);
        for (int r : result_labels) {
            result_presence[r].push_back(f);
            matches_of_result[{f, r}] = 0;
        }
        for (const auto& [pair, pixels] : overlap)
            if (2 * pixels > area[pair.first]) {
                match[{f, pair.first}] = {f, pair.second};
                ++matches_of_result[{f, pair.second}];
            }
        m.true_nodes += static_cast<int>(area.size());
        for (const auto& [label, pixels] : area)
            if (!match.count({f, label})) ++m.false_negatives;
    }
    for (const auto& [node, count] : matches_of_result) {
        if (count == 0) ++m.false_positives;
        if (count > 1) m.splits += count - 1;
    }

    const Edges truth_edges = graph_edges(truth_presence, truth_lineage);
    const Edges result_edges = graph_edges(result_presence, result_lineage);
    m.true_edges = static_cast<int>(truth_edges.size());
    std::set<std::pair<Node, Node>> mapped;  // true edges carried to result nodes
    for (const auto& [edge, kind] : truth_edges) {
        auto a = match.find(edge.first);
        auto b = match.find(edge.second);
        if (a == match.end() || b == match.end()) {
            ++m.added_edges;
            continue;
        }
        mapped.insert({a->second, b->second});
        auto found = result_edges.find({a->second, b->second});
        if (found == result_edges.end()) ++m.added_edges;
        else if (found->second != kind) ++m.changed_edges;
    }
    for (const auto& [edge, kind] : result_edges)
        if (!mapped.count(edge)) ++m.deleted_edges;
    return m;
}

}  // namespace tra
