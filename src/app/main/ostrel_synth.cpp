// ostrel-synth: writes a synthetic cell time-lapse with its ground truth:
// round nuclei by default, a colony of rods with --model rods (see
// ostrel-synth --help).
#include <iostream>
#include <string>
#include <vector>

#include "imaging/synthetic/colony/colony_command_line.h"
#include "util/heap_reuse.h"

int main(int argc, char** argv) {
    util::reuse_freed_images();
    return synth::colony::run_synth_model(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
