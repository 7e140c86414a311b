#include "tracker/assignment/linear_program.h"

#include <limits>

namespace ostrel {

LinearProgram make_linear_program(const BinaryProgram& program, bool integer_columns) {
    const int n = program.column_count();
    LinearProgram lp;
    lp.optimization_type = program.optimization_type();
    lp.objective = program.objective();
    lp.lower_bounds.assign(n, 0.0);
    lp.upper_bounds.assign(n, std::numeric_limits<double>::infinity());
    lp.integer.assign(n, integer_columns);
    lp.rows.reserve(program.row_count());
    for (int r = 0; r < program.row_count(); ++r) {
        LinearProgramRow row;
        row.columns = program.row(r).to_vector();
        row.coefficients.assign(row.columns.size(), 1.0);
        row.right_hand_side = 1.0;
        lp.rows.push_back(std::move(row));
    }
    return lp;
}

}  // namespace ostrel
