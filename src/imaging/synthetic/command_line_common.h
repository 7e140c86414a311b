#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "util/exception.h"

// What the command lines of ostrel-synth's models share.
namespace synth {

// Splits "--name=value"; false when the argument carries no '='.
inline bool split_value(std::string& option, std::string& value) {
    const std::size_t equals = option.find('=');
    if (option.rfind("--", 0) != 0 || equals == std::string::npos) return false;
    value = option.substr(equals + 1);
    option = option.substr(0, equals);
    return true;
}

// Takes the options every model knows that have no value ("--help", "-h",
// "--force"); false for any other option.
template <class Options>
bool take_flag(const std::string& option, bool has_value, const std::string& value, Options& options) {
    if (option == "--help" || option == "-h") {
        options.help = true;
        return true;
    }
    if (option != "--force") return false;
    if (has_value) throw util::Exception("--force takes no value, got '" + value + "'");
    options.force = true;
    return true;
}

// The start every ostrel-synth model's command line shares: `parse` turns
// the arguments into options. A bad argument writes "PROGRAM: MESSAGE" and
// "Try 'PROGRAM HELP'." to err and gives exit status 2; a request for help
// writes `usage` to out and gives 0; otherwise nothing is written, `options`
// holds what was asked for and the result is empty.
template <class Options, class Parse>
std::optional<int> start_command_line(Parse parse, const std::vector<std::string>& args, Options& options,
                                      const std::string& program, const std::string& help,
                                      const std::string& usage, std::ostream& out, std::ostream& err) {
    try {
        options = parse(args);
    } catch (const std::exception& error) {
        err << program << ": " << error.what() << "\n"
            << "Try '" << program << " " << help << "'.\n";
        return 2;
    }
    if (options.help) {
        out << usage;
        return 0;
    }
    return std::nullopt;
}

}  // namespace synth
