// ostrel-eval: scores a cell-tracking result against its ground truth with
// the Cell Tracking Challenge measures (see ostrel-eval --help).
#include <iostream>
#include <string>
#include <vector>

#include "evaluation/eval_command_line.h"
#include "util/heap_reuse.h"

int main(int argc, char** argv) {
    util::reuse_freed_images();
    return ctc::run_eval(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
