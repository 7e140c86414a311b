#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace cells {

// One sequence of a batch: a name and the command that tracks it, whose
// standard output and error go to a log file.
struct BatchJob {
    std::string name;
    std::vector<std::string> command;  // program path first
    std::string log;
};

struct BatchOutcome {
    std::string name;
    int status = 0;  // the exit status; 127 when the program could not be started
    double seconds = 0;
    std::string log;
    bool ok() const { return status == 0; }
};

// Runs the jobs as child processes, at most `parallel` at a time, each to
// its end whatever the others do. Reports each finished job on `out` (a
// failure with the last line its log holds) and returns the outcomes in job
// order.
std::vector<BatchOutcome> run_batch(const std::vector<BatchJob>& jobs, int parallel, std::ostream& out);

// The last line of a log that says something: not empty and not the
// "Elapsed time: " line that every run ends with.
std::string last_message(const std::string& log);

// The path of the running program (to start it again for each sequence).
std::string own_executable();

}  // namespace cells
