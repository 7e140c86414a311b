#pragma once
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace test_support {

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a shell command in `folder`, capturing its standard output and error.
inline CommandResult run_command(const std::string& command, const std::string& folder) {
    std::string out = folder + "/.stdout", err = folder + "/.stderr";
    std::string line = "cd '" + folder + "' && " + command + " >'" + out + "' 2>'" + err + "'";
    int raw = std::system(line.c_str());
    CommandResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = slurp(out);
    result.err = slurp(err);
    std::remove(out.c_str());
    std::remove(err.c_str());
    return result;
}

inline std::string ostrel_binary() { return std::string(OSTREL_BINARY_DIR) + "/ostrel"; }

}  // namespace test_support
