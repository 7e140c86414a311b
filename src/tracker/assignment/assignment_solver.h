#pragma once
#include <optional>
#include <string>
#include <vector>

#include "numerics/random.h"
#include "tracker/assignment/assignment_algorithm.h"
#include "tracker/assignment/binary_program.h"

namespace ostrel {

// The "print_lps" setting: when active, every program is written, before it
// is solved, to "<directory>/<resolution>.lp" in lp_solve's LP format.
struct LpPrintSettings {
    bool active = false;
    std::string directory;
};

// Applies the configured algorithm to the program of one resolve and
// returns the chosen columns: a set that holds exactly one member of every
// row. "optimal", "hybrid" and "branch_and_bound" solve each independent
// cluster of rows and columns on its own (same optimum, far smaller
// programs); "greedy" normalises and runs the greedy solver; "random_greedy"
// runs the randomised greedy solver with the dispatcher's own generator,
// seeded from the program-wide seed source.
class AssignmentSolver {
public:
    // An active print setting needs a directory; it is created if missing.
    explicit AssignmentSolver(AssignmentAlgorithm algorithm = AssignmentAlgorithm::greedy,
                              LpPrintSettings print_lps = {});

    // `resolution` names the file written under "print_lps". Throws
    // util::Exception when the algorithm finds no exact cover; failures of
    // the linear-programming library read "LinearProgramSolver exception: "
    // followed by its message.
    std::vector<int> solve(const BinaryProgram& program, int resolution);

    AssignmentAlgorithm algorithm() const { return algorithm_; }
    const LpPrintSettings& print_lps() const { return print_lps_; }

    // Process time spent in "optimal" solves so far, in seconds, summed over
    // every solver in the program.
    static double optimal_seconds();

private:
    std::vector<int> choose(const BinaryProgram& program);
    void write_program(const BinaryProgram& program, int resolution) const;

    AssignmentAlgorithm algorithm_;
    LpPrintSettings print_lps_;
    // Only "random_greedy" draws a seed, so that the other algorithms leave
    // the program-wide seed sequence to the objects that need it.
    std::optional<nmrc::UniformGenerator> random_;
};

}  // namespace ostrel
