#include "app/cell_tracking_score.h"

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "imaging/tiff_file.h"
#include "imaging/tiff_greyscale_file.h"
#include "util/exception.h"

namespace cell_score {

std::map<std::int32_t, LineageRow> read_lineage(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw util::Exception("cannot open lineage file " + path);
    std::map<std::int32_t, LineageRow> rows;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!text.empty() && text.back() != '\n') throw util::Exception(path + ": the last line has no newline");
    std::istringstream lines(text);
    std::string line;
    // Four non-negative decimal integers separated by single spaces.
    static const std::regex form("([0-9]+) ([0-9]+) ([0-9]+) ([0-9]+)");
    for (int number = 1; std::getline(lines, line); ++number) {
        std::smatch fields;
        if (!std::regex_match(line, fields, form))
            throw util::Exception(path + ": line " + std::to_string(number) + " is not 'L B E P': " + line);
        LineageRow row{std::stoi(fields[1]), std::stoi(fields[2]), std::stoi(fields[3]), std::stoi(fields[4])};
        if (!rows.emplace(row.label, row).second)
            throw util::Exception(path + ": label " + std::to_string(row.label) + " is listed twice");
    }
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

namespace {

// For every true label of a frame, the output label that covers more than
// half of its pixels (0 when none does).
std::map<int, int> majority_labels(const ipc::Image<unsigned short>& truth,
                                   const ipc::Image<unsigned short>& result) {
    if (!truth.same_size(result)) throw util::Exception("a result mask differs in size from its truth mask");
    std::map<int, int> area;                      // true label -> pixels
    std::map<std::pair<int, int>, int> overlap;   // (true, output) -> pixels
    auto out = result.begin();
    for (auto value : truth) {
        const int output = *out++;
        if (value == 0) continue;
        ++area[value];
        if (output != 0) ++overlap[{value, output}];
    }
    std::map<int, int> majority;
    for (const auto& [label, pixels] : area) majority[label] = 0;
    for (const auto& [pair, pixels] : overlap)
        if (2 * pixels > area[pair.first]) majority[pair.first] = pair.second;
    return majority;
}

}  // namespace

Score score(const std::string& truth_folder, const std::string& result_folder, int frames) {
    const auto truth_lineage = read_lineage(truth_folder + "/man_track.txt");
    const auto result_lineage = read_lineage(result_folder + "/res_track.txt");

    // matched[f][true label] = output label covering it (0: undetected).
    std::vector<std::map<int, int>> matched(frames);
    Score result;
    for (int f = 0; f < frames; ++f) {
        matched[f] = majority_labels(read_mask(mask_path(truth_folder, "man_track", f)),
                                     read_mask(mask_path(result_folder, "mask", f)));
        for (const auto& [label, output] : matched[f]) {
            ++result.true_cells;
            if (output != 0)
                ++result.detected_cells;
            else
                result.missed.push_back("frame " + std::to_string(f) + ", true label " + std::to_string(label));
        }
    }

    auto output_at = [&](int frame, int label) {
        if (frame < 0 || frame >= frames) return 0;
        auto found = matched[frame].find(label);
        return found == matched[frame].end() ? 0 : found->second;
    };
    // A true step from (f, a) to (f + 1, b) is reproduced when both cells
    // carry the same output label, or the later one's label starts at f + 1
    // as a recorded daughter of the earlier one's.
    auto reproduced = [&](int f, int a, int b) {
        const int from = output_at(f, a), to = output_at(f + 1, b);
        if (from == 0 || to == 0) return false;
        if (from == to) return true;
        auto row = result_lineage.find(to);
        return row != result_lineage.end() && row->second.parent == from && row->second.begin == f + 1;
    };
    auto count = [&](int f, int a, int b) {
        if (f < 0 || f + 1 >= frames) return;
        ++result.true_links;
        if (reproduced(f, a, b)) ++result.reproduced_links;
    };
    for (const auto& [label, row] : truth_lineage) {
        for (int f = row.begin; f < row.end; ++f) count(f, label, label);
        if (row.parent != 0) {
            auto mother = truth_lineage.find(row.parent);
            if (mother != truth_lineage.end()) count(mother->second.end, row.parent, label);
        }
    }
    return result;
}

std::vector<std::string> lineage_mask_mismatches(const std::string& result_folder, int frames) {
    const auto lineage = read_lineage(result_folder + "/res_track.txt");
    std::vector<std::string> faults;
    std::set<std::int32_t> painted;
    for (int f = 0; f < frames; ++f) {
        std::set<std::int32_t> labels;
        for (auto value : read_mask(mask_path(result_folder, "mask", f)))
            if (value != 0) labels.insert(value);
        for (auto label : labels) {
            painted.insert(label);
            auto row = lineage.find(label);
            if (row == lineage.end())
                faults.push_back("label " + std::to_string(label) + " of frame " + std::to_string(f) +
                                 " has no line");
            else if (f < row->second.begin || f > row->second.end)
                faults.push_back("label " + std::to_string(label) + " appears in frame " + std::to_string(f) +
                                 " outside its frames " + std::to_string(row->second.begin) + " ... " +
                                 std::to_string(row->second.end));
        }
    }
    for (const auto& [label, row] : lineage) {
        const std::string name = "label " + std::to_string(label);
        if (!painted.count(label)) faults.push_back(name + " has a line but no pixel in any mask");
        if (row.begin > row.end) faults.push_back(name + " ends before it begins");
        if (row.parent == 0) continue;
        auto parent = lineage.find(row.parent);
        if (parent == lineage.end())
            faults.push_back(name + " names an unlisted parent " + std::to_string(row.parent));
        else if (parent->second.end != row.begin - 1)
            faults.push_back(name + " begins in frame " + std::to_string(row.begin) + " but its parent ends in " +
                             std::to_string(parent->second.end));
    }
    return faults;
}

std::vector<std::string> relabeling_mismatches(const std::string& truth_folder, const std::string& result_folder,
                                               int frames) {
    std::vector<std::string> faults;
    std::map<int, int> output_of_true, true_of_output;
    // A pair (true, output) is consistent when neither label was seen with
    // another partner before.
    auto pair_up = [&](int truth, int output, int frame) {
        const int partner_of_true = output_of_true.emplace(truth, output).first->second;
        const int partner_of_output = true_of_output.emplace(output, truth).first->second;
        if (partner_of_true != output || partner_of_output != truth)
            faults.push_back("frame " + std::to_string(frame) + ": true label " + std::to_string(truth) +
                             " meets output label " + std::to_string(output) + " (already paired with " +
                             std::to_string(partner_of_true) + " and " + std::to_string(partner_of_output) + ")");
    };
    for (int f = 0; f < frames && faults.size() < 20; ++f) {
        const auto truth = read_mask(mask_path(truth_folder, "man_track", f));
        const auto result = read_mask(mask_path(result_folder, "mask", f));
        if (!truth.same_size(result)) throw util::Exception("a result mask differs in size from its truth mask");
        std::set<std::pair<int, int>> seen;
        auto out = result.begin();
        for (auto value : truth) {
            const int output = *out++;
            if (seen.insert({value, output}).second) pair_up(value, output, f);
        }
    }
    if (!faults.empty()) return faults;
    const auto truth_lineage = read_lineage(truth_folder + "/man_track.txt");
    const auto result_lineage = read_lineage(result_folder + "/res_track.txt");
    if (truth_lineage.size() != result_lineage.size())
        faults.push_back(std::to_string(result_lineage.size()) + " output tracks for " +
                         std::to_string(truth_lineage.size()) + " true tracks");
    for (const auto& [label, row] : truth_lineage) {
        const int output = output_of_true.count(label) ? output_of_true[label] : 0;
        auto found = result_lineage.find(output);
        const std::string name = "true track " + std::to_string(label);
        if (output == 0 || found == result_lineage.end()) {
            faults.push_back(name + " has no output track");
            continue;
        }
        const LineageRow& mine = found->second;
        const int parent = row.parent == 0 ? 0 : output_of_true[row.parent];
        if (mine.begin != row.begin || mine.end != row.end || mine.parent != parent)
            faults.push_back(name + " is output " + std::to_string(output) + " with frames " +
                             std::to_string(mine.begin) + " ... " + std::to_string(mine.end) + " and parent " +
                             std::to_string(mine.parent) + ", expected " + std::to_string(row.begin) + " ... " +
                             std::to_string(row.end) + " and parent " + std::to_string(parent));
    }
    return faults;
}

}  // namespace cell_score
