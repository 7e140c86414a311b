#pragma once
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace ostrel {

// One equality row of a linear program: sum of coefficient * column equals
// the right-hand side. Rows are stored sparsely (only their member columns).
struct LinearProgramRow {
    std::vector<int> columns;
    std::vector<double> coefficients;
    double right_hand_side = 1.0;
};

// The form handed to the linear-programming library. An upper bound of
// +infinity (std::numeric_limits<double>::infinity()) means "unbounded above".
struct LinearProgram {
    int optimization_type = BinaryProgram::kMaximize;
    std::vector<double> objective;
    std::vector<double> lower_bounds;
    std::vector<double> upper_bounds;
    std::vector<bool> integer;
    std::vector<LinearProgramRow> rows;

    int column_count() const { return static_cast<int>(objective.size()); }
};

// The binary program as a linear program: coefficient 1.0 for every member
// of a row, right-hand side 1.0, bounds [0, +infinity), and every column
// integer when `integer_columns` is true (the relaxation otherwise).
LinearProgram make_linear_program(const BinaryProgram& program, bool integer_columns);

}  // namespace ostrel
