#pragma once
#include <optional>
#include <string>
#include <vector>

#include "numerics/random.h"
#include "tracker/assignment/assignment_algorithm.h"
#include "tracker/assignment/binary_program.h"
#include "tracker/assignment/program_clusters.h"

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
//
// `largest_cluster` (columns; 0: no limit) bounds the time of the cluster
// solvers: a cluster with more columns than that is settled by the greedy
// solver on normalised scores instead, since a linear program over hundreds
// of thousands of hypotheses (a badly over-segmented sequence) runs for
// minutes per frame. `bounded()` then tells the caller, to warn.
class AssignmentSolver {
public:
    // An active print setting needs a directory; it is created if missing.
    explicit AssignmentSolver(AssignmentAlgorithm algorithm = AssignmentAlgorithm::greedy,
                              LpPrintSettings print_lps = {}, int largest_cluster = 0);

    // `resolution` names the file written under "print_lps". Throws
    // util::Exception when the algorithm finds no exact cover; failures of
    // the linear-programming library read "LinearProgramSolver exception: "
    // followed by its message.
    std::vector<int> solve(const BinaryProgram& program, int resolution);

    AssignmentAlgorithm algorithm() const { return algorithm_; }
    int largest_cluster() const { return largest_cluster_; }
    // Whether the last solve settled some cluster greedily for its size.
    bool bounded() const { return bounded_; }
    // Whether the last solve took, for some cluster, the best cover that
    // branch and bound had found when it reached its node limit ("optimal").
    bool stopped_early() const { return stopped_early_; }
    const LpPrintSettings& print_lps() const { return print_lps_; }

    // Process time spent in "optimal" solves so far, in seconds, summed over
    // every solver in the program.
    static double optimal_seconds();

private:
    std::vector<int> choose(const BinaryProgram& program);
    // Applies `solve_cluster` to each cluster within the size limit.
    std::vector<int> by_clusters(const BinaryProgram& program, const ClusterSolver& solve_cluster);
    void write_program(const BinaryProgram& program, int resolution) const;

    AssignmentAlgorithm algorithm_;
    LpPrintSettings print_lps_;
    int largest_cluster_;
    bool bounded_ = false;
    bool stopped_early_ = false;
    // Only "random_greedy" draws a seed, so that the other algorithms leave
    // the program-wide seed sequence to the objects that need it.
    std::optional<nmrc::UniformGenerator> random_;
};

}  // namespace ostrel
