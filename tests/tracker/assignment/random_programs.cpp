#include "tracker/assignment/random_programs.h"

#include <algorithm>
#include <numeric>

namespace assignment_test {
namespace {

struct Draft {
    std::vector<std::vector<int>> column_rows;  // rows of each column
    std::vector<double> scores;
    int rows = 0;
};

Draft draft_program(std::mt19937& engine, const ProgramShape& shape) {
    Draft draft;
    draft.rows = shape.rows;
    auto score = [&]() {
        if (shape.integer_scores) return static_cast<double>(std::uniform_int_distribution<int>(-3, 3)(engine));
        return std::uniform_real_distribution<double>(-10.0, 10.0)(engine);
    };
    // The planted cover: the rows, shuffled, cut into consecutive pieces.
    std::vector<int> rows(shape.rows);
    std::iota(rows.begin(), rows.end(), 0);
    std::shuffle(rows.begin(), rows.end(), engine);
    std::uniform_int_distribution<int> piece(1, shape.max_column_rows);
    for (std::size_t start = 0; start < rows.size();) {
        const std::size_t size = std::min<std::size_t>(piece(engine), rows.size() - start);
        draft.column_rows.emplace_back(rows.begin() + start, rows.begin() + start + size);
        draft.scores.push_back(score());
        start += size;
    }
    // Other columns on random rows.
    for (int k = 0; k < shape.extra_columns; ++k) {
        std::shuffle(rows.begin(), rows.end(), engine);
        const std::size_t size = std::min<std::size_t>(piece(engine), rows.size());
        draft.column_rows.emplace_back(rows.begin(), rows.begin() + size);
        draft.scores.push_back(score());
    }
    return draft;
}

ostrel::BinaryProgram assemble(std::mt19937& engine, const std::vector<Draft>& drafts) {
    int columns = 0;
    for (const Draft& d : drafts) columns += static_cast<int>(d.scores.size());
    std::vector<int> position(columns);
    std::iota(position.begin(), position.end(), 0);
    std::shuffle(position.begin(), position.end(), engine);

    ostrel::BinaryProgram program(columns);
    int next = 0;
    for (const Draft& d : drafts) {
        std::vector<std::vector<int>> members(d.rows);
        for (std::size_t j = 0; j < d.scores.size(); ++j, ++next) {
            program.set_score(position[next], d.scores[j]);
            for (int r : d.column_rows[j]) members[r].push_back(position[next]);
        }
        for (auto& row : members) {
            std::shuffle(row.begin(), row.end(), engine);
            program.add_row(row);
        }
    }
    return program;
}

void search(const ostrel::BinaryProgram& program, std::vector<int>& use, int row, double score,
            bool& found, double& best) {
    // Skip rows already covered.
    while (row < program.row_count()) {
        int count = 0;
        for (int column : program.row(row)) count += use[column];
        if (count == 0) break;
        ++row;
    }
    if (row == program.row_count()) {
        if (!found || score > best) best = score;
        found = true;
        return;
    }
    for (int column : program.row(row)) {
        bool clash = false;
        for (int r : program.column_rows(column))
            for (int other : program.row(r)) clash = clash || use[other];
        if (clash) continue;
        use[column] = 1;
        search(program, use, row + 1, score + program.coefficient(column), found, best);
        use[column] = 0;
    }
}

}  // namespace

ostrel::BinaryProgram random_feasible_program(std::mt19937& engine, const ProgramShape& shape) {
    return assemble(engine, {draft_program(engine, shape)});
}

ostrel::BinaryProgram random_clustered_program(std::mt19937& engine, const ProgramShape& shape,
                                               int blocks) {
    std::vector<Draft> drafts;
    for (int b = 0; b < blocks; ++b) drafts.push_back(draft_program(engine, shape));
    return assemble(engine, drafts);
}

bool brute_force_best(const ostrel::BinaryProgram& program, double& best) {
    std::vector<int> use(program.column_count(), 0);
    bool found = false;
    search(program, use, 0, 0.0, found, best);
    return found;
}

}  // namespace assignment_test
