#include "app/command_options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "util/exception.h"
#include "util/nearest_names.h"

namespace app {

namespace {

const Option* find_option(const std::vector<Option>& options, const std::string& name) {
    for (const Option& option : options)
        if (option.name == name || (!option.alias.empty() && option.alias == name)) return &option;
    return nullptr;
}

[[noreturn]] void unknown_option(const std::vector<Option>& options, const std::string& name) {
    std::vector<std::string> names;
    for (const Option& option : options) names.push_back(option.name);
    throw util::Exception("unknown option: " + name + util::did_you_mean(name, names));
}

std::string spelling(const Option& option) {
    std::string text = option.alias.empty() ? "    " : option.alias + ", ";
    text += option.name;
    if (option.takes_value()) text += " " + option.value;
    return text;
}

}  // namespace

std::vector<std::string> apply_options(const std::vector<std::string>& args, const std::vector<Option>& options) {
    std::vector<std::string> others;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            others.insert(others.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        // A lone "-" and anything not starting with "-" are arguments.
        if (arg.size() < 2 || arg[0] != '-') {
            others.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const Option* option = find_option(options, name);
        if (!option) unknown_option(options, name);

        std::string value;
        if (equals != std::string::npos) {
            if (!option->takes_value()) throw util::Exception(name + " takes no value, got '" + arg.substr(equals + 1) + "'");
            value = arg.substr(equals + 1);
        } else if (option->takes_value()) {
            // A required value is the next argument whatever it is (so that
            // "--max-speed -1" is rejected as a value, not as an option).
            const bool next_exists = i + 1 < args.size();
            const bool next_is_option = next_exists && args[i + 1].size() > 1 && args[i + 1][0] == '-';
            if (next_exists && !(option->value_optional() && next_is_option)) {
                value = args[++i];
            } else if (!option->value_optional()) {
                throw util::Exception(name + " needs a value: " + name + " " + option->value);
            }
        }
        option->apply(value);
    }
    return others;
}

std::string describe_options(const std::vector<Option>& options) {
    constexpr std::size_t line_width = 79;
    std::size_t width = 0;
    for (const Option& option : options) width = std::max(width, spelling(option).size());
    const std::size_t indent = width + 4;
    std::string text;
    for (const Option& option : options) {
        const std::string left = spelling(option);
        std::string line = "  " + left + std::string(width - left.size() + 2, ' ');
        // The help words, wrapped under the first one.
        std::size_t begin = 0;
        bool first_word = true;
        while (begin < option.help.size()) {
            std::size_t end = option.help.find(' ', begin);
            if (end == std::string::npos) end = option.help.size();
            const std::string word = option.help.substr(begin, end - begin);
            if (!first_word && line.size() + 1 + word.size() > line_width) {
                text += line + "\n";
                line = std::string(indent, ' ') + word;
            } else {
                line += (first_word ? "" : " ") + word;
            }
            first_word = false;
            begin = end + 1;
        }
        text += line + "\n";
    }
    return text;
}

double positive_number(const std::string& option, const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value) || value <= 0)
        throw util::Exception(option + ": '" + text + "' is not a positive number");
    return value;
}

int positive_integer(const std::string& option, const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || value <= 0 || value > 1000000)
        throw util::Exception(option + ": '" + text + "' is not a positive whole number");
    return static_cast<int>(value);
}

}  // namespace app
