// ostrel-synth: writes a synthetic cell time-lapse with its ground truth
// (see ostrel-synth --help).
#include <iostream>
#include <string>
#include <vector>

#include "imaging/synthetic/synth_command_line.h"

int main(int argc, char** argv) {
    return synth::run_synth(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
