#include "tracker/assignment/assignment_solver.h"

#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>

#include "tracker/assignment/branch_and_bound_binary_program_solver.h"
#include "tracker/assignment/careful_greedy.h"
#include "tracker/assignment/certified_optimum.h"
#include "tracker/assignment/greedy_binary_program_solver.h"
#include "tracker/assignment/greedy_pass.h"
#include "tracker/assignment/linear_program.h"
#include "tracker/assignment/linear_program_assignment.h"
#include "tracker/assignment/linear_program_solver.h"
#include "tracker/assignment/random_greedy_binary_program_solver.h"
#include "util/exception.h"

namespace ostrel {
namespace {

double& optimal_clock() {
    static double seconds = 0.0;
    return seconds;
}

// Adds the process time of its own lifetime to the "optimal" accumulator,
// also when the solve throws.
class OptimalTimer {
public:
    OptimalTimer() : start_(std::clock()) {}
    ~OptimalTimer() {
        optimal_clock() += static_cast<double>(std::clock() - start_) / CLOCKS_PER_SEC;
    }
    OptimalTimer(const OptimalTimer&) = delete;
    OptimalTimer& operator=(const OptimalTimer&) = delete;

private:
    std::clock_t start_;
};

std::vector<int> branch_and_bound(const BinaryProgram& program) {
    std::vector<int> chosen;
    BranchAndBoundBinaryProgramSolver().solve(program, chosen);
    return chosen;
}

// lp_solve's answer for "optimal" and "hybrid" is known without it when a
// cluster's optimum is proven unique (most clusters of a frame are a few
// rows): the same choice without the library's fixed cost per program.
template <class Solve>
std::vector<int> proven_or(const BinaryProgram& program, Solve solve) {
    std::vector<int> chosen;
    if (certified_unique_optimum(program, chosen)) return chosen;
    return solve(program);
}

std::vector<int> hybrid(const BinaryProgram& program) {
    return proven_or(program, [](const BinaryProgram& cluster) { return solve_hybrid(cluster).chosen; });
}

}  // namespace

AssignmentSolver::AssignmentSolver(AssignmentAlgorithm algorithm, LpPrintSettings print_lps, int largest_cluster)
    : algorithm_(algorithm), print_lps_(std::move(print_lps)), largest_cluster_(largest_cluster) {
    if (largest_cluster_ < 0)
        throw util::Exception("maximum_program_columns must be 0 (no limit) or more: maximum_program_columns = " +
                              std::to_string(largest_cluster_));
    if (algorithm_ == AssignmentAlgorithm::random_greedy) random_.emplace();
    if (!print_lps_.active) return;
    if (print_lps_.directory.empty()) throw util::Exception("print_lps directory is empty");
    std::error_code error;
    std::filesystem::create_directories(print_lps_.directory, error);
    if (!std::filesystem::is_directory(print_lps_.directory))
        throw util::Exception("unable to create print_lps directory: directory = " +
                              print_lps_.directory);
}

double AssignmentSolver::optimal_seconds() { return optimal_clock(); }

std::vector<int> AssignmentSolver::solve(const BinaryProgram& program, int resolution) {
    if (print_lps_.active) write_program(program, resolution);
    std::vector<int> chosen = choose(program);
    if (!program.is_exact_cover(chosen))
        throw util::Exception("assignment solution is not an exact cover: assignment_algorithm = " +
                              assignment_algorithm_text(algorithm_));
    return chosen;
}

std::vector<int> AssignmentSolver::by_clusters(const BinaryProgram& program, const ClusterSolver& solve_cluster) {
    if (largest_cluster_ == 0) return solve_by_clusters(program, solve_cluster);
    return solve_by_clusters(program, [this, &solve_cluster](const BinaryProgram& cluster) {
        if (cluster.column_count() <= largest_cluster_) return solve_cluster(cluster);
        bounded_ = true;
        std::vector<int> chosen;
        const std::vector<double> coefficients = normalised_coefficients(cluster);
        try {
            GreedyBinaryProgramSolver().solve(cluster, coefficients, chosen);
        } catch (const util::Exception&) {
            // The greedy choice stranded a row. Looking a step ahead finds a
            // cover in time linear in the cluster; only when that fails too
            // does the configured solver decide whether a cover exists, on a
            // cluster that may take it hours.
            if (auto careful = careful_greedy_cover(cluster, coefficients)) return std::move(*careful);
            return solve_cluster(cluster);
        }
        return chosen;
    });
}

std::vector<int> AssignmentSolver::choose(const BinaryProgram& program) {
    bounded_ = false;
    stopped_early_ = false;
    std::vector<int> chosen;
    switch (algorithm_) {
        case AssignmentAlgorithm::optimal: {
            OptimalTimer timer;
            return by_clusters(program, [this](const BinaryProgram& cluster) {
                return proven_or(cluster, [this](const BinaryProgram& unproven) {
                    IntegerProgramResult result = solve_integer_program_limited(unproven);
                    stopped_early_ = stopped_early_ || result.stopped_early;
                    return std::move(result.chosen);
                });
            });
        }
        case AssignmentAlgorithm::hybrid:
            return by_clusters(program, hybrid);
        case AssignmentAlgorithm::branch_and_bound:
            return by_clusters(program, branch_and_bound);
        case AssignmentAlgorithm::random_greedy:
            RandomGreedyBinaryProgramSolver().solve(program, *random_, chosen);
            return chosen;
        case AssignmentAlgorithm::greedy:
            break;
    }
    GreedyBinaryProgramSolver().solve(program, normalised_coefficients(program), chosen);
    return chosen;
}

// The program as the algorithm sees it: integer columns, except for the
// relaxation that "hybrid" solves.
void AssignmentSolver::write_program(const BinaryProgram& program, int resolution) const {
    const bool integer = algorithm_ != AssignmentAlgorithm::hybrid;
    const std::filesystem::path path =
        std::filesystem::path(print_lps_.directory) / (std::to_string(resolution) + ".lp");
    write_lp_file(make_linear_program(program, integer), path.string());
}

}  // namespace ostrel
