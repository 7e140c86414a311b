#include "tracker/assignment/relaxation_row_prices.h"

#include <exception>
#include <limits>

#include "tracker/assignment/linear_program.h"
#include "tracker/assignment/linear_program_solver.h"

namespace ostrel {

std::vector<double> relaxation_row_prices(const BinaryProgram& program,
                                          const std::vector<double>& values) {
    const int m = program.row_count();
    const double infinity = std::numeric_limits<double>::infinity();
    // Columns 0..m-1 are the free prices u_r; each priced column j adds a
    // surplus s_j >= 0 so that its inequality becomes the equality row
    //   sum_{r in rows(j)} u_r - s_j = v_j.
    LinearProgram dual;
    dual.optimization_type = BinaryProgram::kMinimize;
    dual.objective.assign(m, 1.0);
    dual.lower_bounds.assign(m, -infinity);
    dual.upper_bounds.assign(m, infinity);
    dual.integer.assign(m, false);
    for (int j = 0; j < program.column_count(); ++j) {
        const IndexList rows = program.column_rows(j);
        if (rows.empty()) continue;
        LinearProgramRow row;
        row.columns = rows.to_vector();
        row.coefficients.assign(rows.size(), 1.0);
        row.columns.push_back(dual.column_count());
        row.coefficients.push_back(-1.0);
        row.right_hand_side = values[j];
        dual.objective.push_back(0.0);
        dual.lower_bounds.push_back(0.0);
        dual.upper_bounds.push_back(infinity);
        dual.integer.push_back(false);
        dual.rows.push_back(std::move(row));
    }
    if (dual.rows.empty()) return {};
    std::vector<double> solution;
    try {
        LinearProgramSolver().solve(dual, solution);
    } catch (const std::exception&) {
        return {};  // unbounded dual = no fractional cover; or a numerical failure
    }
    solution.resize(m);
    return solution;
}

}  // namespace ostrel
