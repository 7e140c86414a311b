#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace ctc {

std::string eval_usage();

// The whole ostrel-eval program (arguments without the program name):
// prints one line "NAME value" per measure on out. Returns 0 after scoring,
// 1 when the result is invalid (the reasons go to err), 2 for bad arguments
// or a ground truth that cannot be read.
int run_eval(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ctc
