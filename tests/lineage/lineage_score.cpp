#include "lineage/lineage_score.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "imaging/tiff_file.h"
#include "imaging/tiff_greyscale_file.h"
#include "util/exception.h"

namespace lineage_score {

namespace {

struct Row {
    int begin = 0, end = 0, parent = 0;
};
using Lineage = std::map<int, Row>;

Lineage read_lineage(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw util::Exception("cannot open lineage file " + path);
    Lineage rows;
    int label = 0;
    Row row;
    while (in >> label >> row.begin >> row.end >> row.parent) rows[label] = row;
    return rows;
}

ipc::Image<unsigned short> read_mask(const std::string& path) {
    ipc::TiffFile file(path, "r");
    if (!file.is_open()) throw util::Exception("cannot open mask " + path);
    ipc::Image<unsigned short> mask;
    ipc::TiffGreyScaleFile::read(file, mask);
    return mask;
}

std::string mask_path(const std::string& folder, const std::string& prefix, int frame) {
    std::string digits = std::to_string(frame);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    return folder + "/" + prefix + digits + ".tif";
}

// A cell: (frame, label).
using Cell = std::pair<int, int>;
enum class Link { track, parent };

// The links of a lineage among the cells present in the masks: a label's
// consecutive frames (track links) and a mother's last cell to each
// daughter's first (parent links).
std::map<std::pair<Cell, Cell>, Link> links(const Lineage& lineage, const std::set<Cell>& cells) {
    std::map<std::pair<Cell, Cell>, Link> all;
    for (const auto& [label, row] : lineage) {
        for (int f = row.begin; f < row.end; ++f)
            if (cells.count({f, label}) && cells.count({f + 1, label})) all[{{f, label}, {f + 1, label}}] = Link::track;
        auto mother = lineage.find(row.parent);
        if (row.parent && mother != lineage.end() && cells.count({mother->second.end, row.parent}) &&
            cells.count({row.begin, label}))
            all[{{mother->second.end, row.parent}, {row.begin, label}}] = Link::parent;
    }
    return all;
}

// Divisions: mother label -> daughters that begin in the same frame (two or
// more of them).
std::map<int, std::vector<int>> divisions(const Lineage& lineage) {
    std::map<int, std::map<int, std::vector<int>>> by_frame;
    for (const auto& [label, row] : lineage)
        if (row.parent) by_frame[row.parent][row.begin].push_back(label);
    std::map<int, std::vector<int>> result;
    for (const auto& [mother, frames] : by_frame)
        for (const auto& [frame, daughters] : frames)
            if (daughters.size() >= 2) result[mother] = daughters;
    return result;
}

}  // namespace

double Score::tra() const {
    const double empty = 10.0 * true_cells + 1.5 * true_links;
    return empty > 0 ? 1.0 - std::min(aogm, empty) / empty : 0.0;
}

double Score::division_f1() const {
    const int total = true_divisions + result_divisions;
    return total ? 2.0 * found_divisions / total : 1.0;
}

std::string Score::summary() const {
    std::ostringstream text;
    text << "TRA " << tra() << " (AOGM " << aogm << " over " << true_cells << " cells, " << true_links
         << " links), divisions found " << found_divisions << " of " << true_divisions << " true, "
         << result_divisions << " declared, F1 " << division_f1();
    return text.str();
}

Score score(const std::string& truth_folder, const std::string& result_folder, int frames) {
    const Lineage truth = read_lineage(truth_folder + "/man_track.txt");
    const Lineage result = read_lineage(result_folder + "/res_track.txt");

    std::set<Cell> true_cells, result_cells;
    std::map<Cell, Cell> match;             // true cell -> result cell covering more than half of it
    std::map<Cell, int> matches_of_result;  // result cell -> number of true cells it matches
    for (int f = 0; f < frames; ++f) {
        const auto t = read_mask(mask_path(truth_folder, "man_track", f));
        const auto r = read_mask(mask_path(result_folder, "mask", f));
        if (!t.same_size(r)) throw util::Exception("mask sizes differ in frame " + std::to_string(f));
        std::map<int, int> area;
        std::map<std::pair<int, int>, int> overlap;
        auto out = r.begin();
        for (auto value : t) {
            const int output = *out++;
            if (output) result_cells.insert({f, output});
            if (!value) continue;
            ++area[value];
            if (output) ++overlap[{value, output}];
        }
        for (const auto& [label, pixels] : area) true_cells.insert({f, label});
        for (const auto& [pair, pixels] : overlap)
            if (2 * pixels > area[pair.first]) {
                match[{f, pair.first}] = {f, pair.second};
                ++matches_of_result[{f, pair.second}];
            }
    }

    Score s;
    s.true_cells = static_cast<int>(true_cells.size());
    std::map<Cell, Cell> true_of;  // result cell -> its (first) true cell
    for (const auto& [t, r] : match) true_of.emplace(r, t);
    for (const Cell& cell : true_cells)
        if (!match.count(cell)) s.aogm += 10.0;  // missed cell
    for (const Cell& cell : result_cells) {
        auto count = matches_of_result.find(cell);
        if (count == matches_of_result.end()) s.aogm += 1.0;                  // false cell
        else if (count->second > 1) s.aogm += 5.0 * (count->second - 1);  // split a merged cell
    }

    const auto true_links = links(truth, true_cells);
    s.true_links = static_cast<int>(true_links.size());
    std::set<std::pair<Cell, Cell>> covered;
    for (const auto& [link, kind] : links(result, result_cells)) {
        auto a = true_of.find(link.first), b = true_of.find(link.second);
        if (a == true_of.end() || b == true_of.end()) {
            s.aogm += 1.0;  // a link of a false cell is deleted with it
            continue;
        }
        auto found = true_links.find({a->second, b->second});
        if (found == true_links.end()) {
            s.aogm += 1.0;
        } else {
            covered.insert(found->first);
            if (found->second != kind) s.aogm += 1.0;
        }
    }
    s.aogm += 1.5 * static_cast<double>(true_links.size() - covered.size());

    const auto true_divisions = divisions(truth);
    const auto result_divisions = divisions(result);
    s.true_divisions = static_cast<int>(true_divisions.size());
    s.result_divisions = static_cast<int>(result_divisions.size());
    for (const auto& [mother, daughters] : result_divisions) {
        const Row& row = result.at(mother);
        const int born = result.at(daughters.front()).begin;
        if (row.end != born - 1) continue;
        auto true_mother = true_of.find({row.end, mother});
        if (true_mother == true_of.end()) continue;
        const int true_label = true_mother->second.second;
        auto true_daughters = true_divisions.find(true_label);
        if (true_daughters == true_divisions.end() || truth.at(true_label).end != born - 1) continue;
        std::set<int> wanted(true_daughters->second.begin(), true_daughters->second.end());
        std::set<int> got;
        for (int d : daughters) {
            auto t = true_of.find({born, d});
            if (t != true_of.end()) got.insert(t->second.second);
        }
        if (got == wanted && daughters.size() == wanted.size()) ++s.found_divisions;
    }
    return s;
}

}  // namespace lineage_score
