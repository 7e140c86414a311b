// The only translation unit that sees the lp_solve header: it defines
// hundreds of macros (TRUE, EQ, NORMAL, OPTIMAL, ...) that must not leak
// into the rest of the program.
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "tracker/assignment/linear_program_solver.h"
#include "util/exception.h"

#include <dlfcn.h>
#include <lpsolve/lp_lib.h>
#include <lpsolve/myblas.h>

// The library's handle of an external BLAS; null while it runs its own.
extern "C" void* hBLAS;

namespace ostrel {
namespace {

struct LpDeleter {
    void operator()(lprec* lp) const { delete_lp(lp); }
};
// Owns the library's program so that it is released on every path,
// exceptions included.
using LpHandle = std::unique_ptr<lprec, LpDeleter>;

void check_shape(const LinearProgram& program) {
    const std::size_t n = program.objective.size();
    if (program.lower_bounds.size() != n || program.upper_bounds.size() != n ||
        program.integer.size() != n)
        throw util::Exception(
            "LinearProgram bounds or integer flags differ in size from the objective: "
            "column count = " + std::to_string(n));
    for (std::size_t r = 0; r < program.rows.size(); ++r) {
        const LinearProgramRow& row = program.rows[r];
        if (row.columns.size() != row.coefficients.size())
            throw util::Exception("LinearProgram row has unequal columns and coefficients: row = " +
                                  std::to_string(r));
        for (int column : row.columns)
            if (column < 0 || static_cast<std::size_t>(column) >= n)
                throw util::Exception("LinearProgram row names a column out of range: row = " +
                                      std::to_string(r) + ", column = " + std::to_string(column));
    }
}

// The library's own infinity (1e30); large finite numbers such as 1e24 are
// taken literally by lp_solve 5.5.
REAL library_value(lprec* lp, double value) {
    if (std::isinf(value)) return value > 0 ? get_infinite(lp) : -get_infinite(lp);
    return value;
}

// make_lp looks for an external BLAS ("libmyBLAS.so") whenever the library
// runs its built-in one (no handle in hBLAS), and delete_lp drops the
// handle again: a failing dlopen per program, which costs a map and unmap
// of the loader cache (and a TLB flush on every core) for each of the
// hundreds of small programs of a frame. A handle to the program itself
// stands in for the external library from make_lp to delete_lp (which
// closes it, keeping the count balanced), so the search happens only once;
// the routines in use stay the built-in ones.
void hold_blas_handle() {
    if (hBLAS == nullptr) hBLAS = dlopen(nullptr, RTLD_LAZY);
}

LpHandle build(const LinearProgram& program) {
    check_shape(program);
    const int n = program.column_count();
    hold_blas_handle();
    LpHandle lp(make_lp(0, n));
    if (!lp) throw util::Exception("lp_solve failure");
    set_verbose(lp.get(), NEUTRAL);

    if (program.optimization_type == BinaryProgram::kMaximize)
        set_maxim(lp.get());
    else if (program.optimization_type == BinaryProgram::kMinimize)
        set_minim(lp.get());
    else
        throw util::Exception("unknown optimization type");

    // lp_solve numbers columns from 1.
    std::vector<int> all_columns(n);
    for (int j = 0; j < n; ++j) all_columns[j] = j + 1;
    std::vector<REAL> objective(program.objective.begin(), program.objective.end());
    if (n > 0 && !set_obj_fnex(lp.get(), n, objective.data(), all_columns.data()))
        throw util::Exception("lp_solve failure");

    for (int j = 0; j < n; ++j) {
        set_lowbo(lp.get(), j + 1, library_value(lp.get(), program.lower_bounds[j]));
        set_upbo(lp.get(), j + 1, library_value(lp.get(), program.upper_bounds[j]));
    }

    // Row mode appends rows cheaply; it also accepts a row without entries
    // (0 = rhs), provided the arrays are not null, which the library needs.
    set_add_rowmode(lp.get(), TRUE);
    for (const LinearProgramRow& row : program.rows) {
        const std::size_t count = row.columns.size();
        std::vector<int> columns(std::max<std::size_t>(count, 1), 1);
        std::vector<REAL> coefficients(std::max<std::size_t>(count, 1), 0.0);
        for (std::size_t k = 0; k < count; ++k) {
            columns[k] = row.columns[k] + 1;
            coefficients[k] = row.coefficients[k];
        }
        if (!add_constraintex(lp.get(), static_cast<int>(count), coefficients.data(),
                              columns.data(), EQ, row.right_hand_side))
            throw util::Exception("lp_solve failure");
    }
    set_add_rowmode(lp.get(), FALSE);

    for (int j = 0; j < n; ++j) set_int(lp.get(), j + 1, program.integer[j] ? TRUE : FALSE);
    return lp;
}

const char* failure_text(int result) {
    switch (result) {
        case SUBOPTIMAL: return "lp_solve lag failure";
        case INFEASIBLE: return "lp_solve infeasible failure";
        case UNBOUNDED: return "lp_solve unbounded failure";
        default: return "lp_solve failure";
    }
}


// The library cannot solve a program without columns; its only point is
// 0, feasible exactly when every right-hand side is 0.
double solve_without_columns(const LinearProgram& program, std::vector<double>& values) {
    for (const LinearProgramRow& row : program.rows)
        if (row.right_hand_side != 0.0) throw util::Exception(failure_text(INFEASIBLE));
    values.clear();
    return 0.0;
}

// The library asks this between steps of its search; a true answer ends
// the branch and bound, keeping the best integer solution found so far.
struct NodeLimit {
    long long limit;
    bool reached = false;
};

int stop_at_node_limit(lprec* lp, void* handle) {
    NodeLimit& node_limit = *static_cast<NodeLimit*>(handle);
    if (get_total_nodes(lp) >= node_limit.limit) node_limit.reached = true;
    return node_limit.reached ? TRUE : FALSE;
}

}  // namespace

double LinearProgramSolver::solve(const LinearProgram& program, std::vector<double>& values) {
    node_limit_reached_ = false;
    check_shape(program);
    if (program.column_count() == 0) return solve_without_columns(program, values);
    LpHandle lp = build(program);
    NodeLimit node_limit{node_limit_};
    if (node_limit_ > 0) put_abortfunc(lp.get(), stop_at_node_limit, &node_limit);
    const int result = ::solve(lp.get());
    // A search stopped by the limit reports the best solution found as
    // "sub-optimal", or an abort when it found none.
    node_limit_reached_ = node_limit.reached && result != OPTIMAL;
    if (node_limit_reached_) {
        if (result != SUBOPTIMAL || get_solutioncount(lp.get()) < 1)
            throw util::Exception("lp_solve node limit failure");
    } else if (result != OPTIMAL) {
        throw util::Exception(failure_text(result));
    }

    const int n = program.column_count();
    REAL* solution = nullptr;
    if (!get_ptr_variables(lp.get(), &solution) || solution == nullptr)
        throw util::Exception("lp_solve failure");
    values.assign(solution, solution + n);
    const double objective = get_objective(lp.get());

    // A column bounded by nothing but its infinite upper bound comes back
    // "optimal" at the library's infinity; that is an unbounded program.
    const double infinity = get_infinite(lp.get());
    bool at_infinity = std::fabs(objective) >= infinity;
    for (double v : values) at_infinity = at_infinity || std::fabs(v) >= infinity;
    if (at_infinity) throw util::Exception(failure_text(UNBOUNDED));
    return objective;
}

void write_lp_file(const LinearProgram& program, const std::string& path) {
    LpHandle lp = build(program);
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    if (!write_lp(lp.get(), name.data()))
        throw util::Exception("unable to write lp file: path = " + path);
}

}  // namespace ostrel
