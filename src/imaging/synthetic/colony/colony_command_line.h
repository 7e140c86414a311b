#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "imaging/synthetic/colony/colony_parameters.h"

namespace synth::colony {

struct ColonyOptions {
    ColonyParameters parameters;
    std::string out;
    bool force = false;
    bool help = false;
};

// Reads the colony generator's options (without the program name and the
// "--model rods" that chose it). Throws util::Exception naming the option
// and the bad value; the parameters are validated before anything is
// returned.
ColonyOptions parse_colony_options(const std::vector<std::string>& args);

std::string colony_usage();

// ostrel-synth with a choice of model: "--model rods" (or "--model=rods")
// grows a rod colony; "--model nuclei" or no --model runs the nucleus
// generator with the other arguments. Returns 0 on success, 1 when writing
// fails and 2 for bad arguments; errors go to err.
int run_synth_model(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace synth::colony
