#pragma once
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/command_options.h"

namespace app {

// What the command line of ostrel asks for.
struct RunSettings {
    std::vector<std::string> arguments;  // the configuration file, if named
    bool strict = false;                 // configuration mistakes are errors
    bool progress = true;                // show the progress line
    // Set by --help, --version and --list-keys: printed instead of a run.
    std::function<void(std::ostream&)> instead;
};

// The options of ostrel, one line each.
std::vector<Option> ostrel_options(RunSettings& settings);
std::string ostrel_help();

// One run of the program: reads the options, registers the factories, finds
// and loads the configuration, builds the root component and pushes it
// until the stream ends. Errors are printed on standard error followed by
// the elapsed time. Returns the process exit status: 0 after a clean run
// (and after --help, --version, --list-keys), 1 after any error.
int run(int argc, char** argv);

// Runs the configuration that settings name, as ostrel does after reading
// its options: errors and the elapsed time go to standard error. Returns 0
// after a clean run, 1 after an error. Changes the working directory to the
// configuration's folder.
int run_configuration(const RunSettings& settings, const std::string& program);

// The configuration path named by the command line (or by the first word of
// "Ostrel.txt" when there is no argument).
std::string configuration_path(const std::vector<std::string>& args);

// Splits a configuration path into its folder and file name; backslashes are
// folder separators too. "/run.xml" has the folder "/".
void split_path(const std::string& path, std::string& folder, std::string& file);

}  // namespace app
