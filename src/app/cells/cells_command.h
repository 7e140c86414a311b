#pragma once
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/command_options.h"

namespace cells {

// What the command line of ostrel-cells asks for.
struct CellOptions {
    std::vector<std::string> arguments;  // INPUT OUTPUT
    bool masks = false;
    std::optional<double> diameter;   // pixels
    std::optional<double> max_speed;  // pixels per frame
    std::optional<std::string> shape; // "round" or "rods"
    std::optional<int> threads;       // for each run (OSTREL_THREADS)
    std::optional<int> jobs;          // sequences at once in a batch
    std::function<void(std::ostream&)> instead;  // --help, --version
};

std::vector<app::Option> cell_options(CellOptions& options);
std::string cells_help();

// A sequence of a batch: its name (the folder's) and the folder of its
// images (the folder itself, or its "images" folder).
struct Sequence {
    std::string name;
    std::string images;
};

// The sequences of a folder of sequence folders, in name order: every
// folder inside it that holds TIFF files, or whose "images" folder does.
std::vector<Sequence> find_sequences(const std::string& folder);
bool holds_tiff_files(const std::string& folder);

// Prepares the output folder of one sequence: makes it when missing, keeps
// it when empty, moves it to the trash when it holds an earlier result
// (ostrel-cells.xml or res_track.txt) and refuses anything else, as it
// refuses an output folder that is the input or holds it.
void prepare_output(const std::string& input, const std::string& output);

// ostrel-cells INPUT OUTPUT [options]: tracks one sequence, or every
// sequence of a folder of sequence folders. Returns the exit status: 0 when
// every sequence was tracked, 1 otherwise.
int run_cells(int argc, char** argv);

}  // namespace cells
