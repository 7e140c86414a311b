#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "imaging/synthetic/sequence_parameters.h"

namespace synth {

struct SynthOptions {
    SequenceParameters parameters;
    std::string out;
    bool force = false;
    bool help = false;
};

// Reads the generator's options (without the program name). Throws
// util::Exception naming the option and the bad value; the parameters are
// validated before anything is returned.
SynthOptions parse_synth_options(const std::vector<std::string>& args);

std::string synth_usage();

// The whole program: parses args, writes the sequence, reports what was
// written on out. Returns 0 on success, 1 when writing fails and 2 for bad
// arguments; errors go to err.
int run_synth(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace synth
