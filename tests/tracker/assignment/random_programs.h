#pragma once
#include <random>
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace assignment_test {

// Shape of a random set-partitioning program.
struct ProgramShape {
    int rows = 4;
    int extra_columns = 6;   // besides the planted cover
    int max_column_rows = 3; // a column covers 1..max rows
    bool integer_scores = false;  // small integers make ties likely
};

// A random maximizing program that always has an exact cover (a planted
// one, hidden among the other columns) and puts every column in some row.
ostrel::BinaryProgram random_feasible_program(std::mt19937& engine, const ProgramShape& shape);

// Several independent random programs laid side by side, their columns
// interleaved at random: a program made of at least `blocks` clusters.
ostrel::BinaryProgram random_clustered_program(std::mt19937& engine, const ProgramShape& shape,
                                               int blocks);

// Best total score over all exact covers by exhaustive search (the
// reference for small programs); false when there is none.
bool brute_force_best(const ostrel::BinaryProgram& program, double& best);

}  // namespace assignment_test
