#pragma once
#include <functional>
#include <string>
#include <vector>

namespace app {

// One command-line option of a tool: how it is spelt, the name of its value
// ("" for a flag, "[NAME]" for a value that may be left out), one help line,
// and what it does with the value. A tool lists its options in one table, so
// that adding an option is adding a line.
struct Option {
    std::string name;   // "--list-keys"
    std::string alias;  // "-h", or ""
    std::string value;  // "", "N", "[FAMILY]"
    std::string help;
    std::function<void(const std::string& value)> apply;

    bool takes_value() const { return !value.empty(); }
    bool value_optional() const { return !value.empty() && value.front() == '['; }
};

// Applies the options among args (program name excluded) in order and
// returns the other arguments. A value follows its option ("--jobs 4") or is
// joined to it with "=" ("--jobs=4"); an optional value is taken only when
// the next argument does not start with "-". "--" ends the options. Throws
// util::Exception for an unknown option (naming the nearest ones), a missing
// value, or a value given to a flag.
std::vector<std::string> apply_options(const std::vector<std::string>& args, const std::vector<Option>& options);

// The options block of a help text: one line per option, help aligned.
std::string describe_options(const std::vector<Option>& options);

// Values of options, each failing with "OPTION: 'TEXT' is not ..." naming
// the option and the text.
double positive_number(const std::string& option, const std::string& text);
int positive_integer(const std::string& option, const std::string& text);

}  // namespace app
