#pragma once
#include <vector>

#include "numerics/random.h"
#include "tracker/assignment/binary_program.h"

namespace ostrel {

// Randomised greedy cover of a maximizing binary program. The first pass is
// the plain greedy pass on the normalised coefficients; each further pass
// picks at random among the `choices` best remaining candidates. The cover
// of largest total score (first found among equals) is kept, so the result
// is never worse than the plain greedy's whenever that one covers the rows.
class RandomGreedyBinaryProgramSolver {
public:
    static constexpr int kDefaultPasses = 16;
    static constexpr int kDefaultChoices = 3;

    // Both must be at least 1.
    explicit RandomGreedyBinaryProgramSolver(int passes = kDefaultPasses,
                                             int choices = kDefaultChoices);

    // Appends the best cover found to `chosen`. Throws "minimize optimization
    // type not implemnted" for a minimizing program and "problem in
    // RandomGreedyBinaryProgramSolver" when no pass covered every row.
    void solve(const BinaryProgram& program, nmrc::UniformGenerator& random,
               std::vector<int>& chosen) const;

private:
    int passes_;
    int choices_;
};

}  // namespace ostrel
