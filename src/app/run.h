#pragma once
#include <string>
#include <vector>

namespace app {

// One run of the program: registers the factories, finds and loads the
// configuration, builds the root component and pushes it until the stream
// ends. Errors are printed on standard error followed by the elapsed time.
// Returns the process exit status: 0 after a clean run, 1 after any error.
int run(int argc, char** argv);

// The configuration path named by the command line (or by the first word of
// "Ostrel.txt" when there is no argument).
std::string configuration_path(const std::vector<std::string>& args);

// Splits a configuration path into its folder and file name; backslashes are
// folder separators too. "/run.xml" has the folder "/".
void split_path(const std::string& path, std::string& folder, std::string& file);

}  // namespace app
