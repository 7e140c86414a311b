#include "app/cells/batch.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/progress_reporter.h"
#include "util/exception.h"

extern char** environ;

namespace cells {

namespace {

double now_seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Starts one job with its output going to its log; returns the child's id,
// or -1 (with the reason in `why`) when it could not be started.
pid_t start_job(const BatchJob& job, std::string& why) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, job.log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    std::vector<char*> argv;
    for (const std::string& word : job.command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = -1;
    const int error = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        why = std::strerror(error);
        return -1;
    }
    return child;
}

int exit_status(int raw) {
    if (WIFEXITED(raw)) return WEXITSTATUS(raw);
    if (WIFSIGNALED(raw)) return 128 + WTERMSIG(raw);
    return 1;
}

void report(std::ostream& out, const BatchOutcome& outcome, const std::string& reason) {
    if (outcome.ok()) {
        out << "[done]   " << outcome.name << " (" << app::format_duration(outcome.seconds) << ")" << std::endl;
        return;
    }
    out << "[FAILED] " << outcome.name << " (exit status " << outcome.status << ")";
    if (!reason.empty()) out << ": " << reason;
    out << "; log: " << outcome.log << std::endl;
}

}  // namespace

std::string last_message(const std::string& log) {
    std::ifstream in(log);
    std::string line, last;
    while (std::getline(in, line))
        if (line.find_first_not_of(" \t\r") != std::string::npos && line.rfind("Elapsed time: ", 0) != 0)
            last = line;
    return last;
}

std::string own_executable() {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", &path[0], path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        throw util::Exception("unable to find the running program's path (/proc/self/exe)");
    path.resize(static_cast<std::size_t>(length));
    return path;
}

std::vector<BatchOutcome> run_batch(const std::vector<BatchJob>& jobs, int parallel, std::ostream& out) {
    std::vector<BatchOutcome> outcomes(jobs.size());
    std::map<pid_t, std::pair<std::size_t, double>> running;  // child -> (job, start time)
    std::size_t next = 0;
    parallel = std::max(1, parallel);
    while (next < jobs.size() || !running.empty()) {
        while (next < jobs.size() && static_cast<int>(running.size()) < parallel) {
            const std::size_t index = next++;
            outcomes[index].name = jobs[index].name;
            outcomes[index].log = jobs[index].log;
            std::string why;
            const pid_t child = start_job(jobs[index], why);
            if (child < 0) {
                outcomes[index].status = 127;
                report(out, outcomes[index], "cannot start " + jobs[index].command.front() + ": " + why);
                continue;
            }
            running[child] = {index, now_seconds()};
        }
        if (running.empty()) continue;
        int raw = 0;
        const pid_t child = ::waitpid(-1, &raw, 0);
        if (child < 0) {
            if (errno == EINTR) continue;
            throw util::Exception(std::string("waiting for the sequences failed: ") + std::strerror(errno));
        }
        auto found = running.find(child);
        if (found == running.end()) continue;  // not one of ours
        BatchOutcome& outcome = outcomes[found->second.first];
        outcome.status = exit_status(raw);
        outcome.seconds = now_seconds() - found->second.second;
        running.erase(found);
        report(out, outcome, outcome.ok() ? "" : last_message(outcome.log));
    }
    return outcomes;
}

}  // namespace cells
