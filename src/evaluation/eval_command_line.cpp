#include "evaluation/eval_command_line.h"

#include <iomanip>
#include <ostream>

#include "evaluation/sequence_evaluation.h"

namespace ctc {

namespace {
const char* const program = "ostrel-eval";
}

std::string eval_usage() {
    return std::string("Usage: ") + program + " GT_DIR RES_DIR\n" +
           "Scores a cell-tracking result with the measures of the Cell Tracking Challenge.\n"
           "  GT_DIR   the ground truth: TRA/man_track.txt and TRA/man_trackNNN.tif (or the\n"
           "           same files directly in GT_DIR), optionally SEG/man_segNNN.tif\n"
           "  RES_DIR  the result: res_track.txt and one maskNNN.tif per frame\n"
           "The result is validated first. A valid one gets one line per measure, the name\n"
           "and its value: DET, TRA, LNK, BC(0) ... BC(3), CT, TF, CCA, and SEG when GT_DIR\n"
           "has SEG/. A measure the ground truth leaves undefined (BC and CCA without\n"
           "divisions) is nan.\n"
           "Exit status: 0 scored, 1 invalid result (the reasons on standard error),\n"
           "2 bad arguments or unreadable ground truth.\n";
}

int run_eval(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << eval_usage();
        return 0;
    }
    if (args.size() != 2) {
        err << program << ": expected two folders, GT_DIR and RES_DIR, got " << args.size() << " arguments\n"
            << eval_usage();
        return 2;
    }
    Evaluation evaluation;
    try {
        evaluation = evaluate_sequence(args[0], args[1]);
    } catch (const std::exception& error) {
        err << program << ": ground truth: " << error.what() << '\n';
        return 2;
    }
    if (!evaluation.problems.empty()) {
        err << program << ": the result in " << args[1] << " is not valid:\n";
        for (const std::string& problem : evaluation.problems) err << "  " << problem << '\n';
        if (evaluation.problems.size() >= fault_limit) err << "  (only the first " << fault_limit << " shown)\n";
        return 1;
    }
    out << std::fixed << std::setprecision(6);
    for (const Measure& measure : evaluation.measures) out << measure.name << ' ' << measure.value << '\n';
    return 0;
}

}  // namespace ctc
