#include "config/problem.h"

#include "util/exception.h"

namespace config {

namespace {

void replace_all(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string leaf(const std::string& element) {
    const std::size_t slash = element.rfind('/');
    return slash == std::string::npos ? element : element.substr(slash + 1);
}

// "key: element must be expected: entry = value"; a parameter of a nested
// element is named after that element, and the key follows:
// "ou_process_2d: sigma must be positive: sigma[1] = 0 (in ou_simulator_2d)",
// or ", in ou_simulator_2d" inside parentheses of its own.
std::string standard(const Problem& p, bool in_parentheses) {
    const std::size_t slash = p.element.rfind('/');
    if (slash == std::string::npos)
        return p.key + ": " + p.element + " must be " + p.expected + ": " + p.entry + " = " + p.text;
    const std::string parent = p.element.substr(0, slash);
    const std::size_t outer = parent.rfind('/');
    const std::string owner = outer == std::string::npos ? parent : parent.substr(outer + 1);
    return owner + ": " + leaf(p.element) + " must be " + p.expected + ": " + p.entry + " = " + p.text +
           (in_parentheses ? ", in " + p.key : " (in " + p.key + ")");
}

}  // namespace

std::string describe(const Problem& p) {
    switch (p.kind) {
    case Problem::Kind::missing:
        if (p.entry.empty()) return "Tag::tag failed, tags is empty (" + p.key + ": expected " + p.expected + ")";
        return "Tag::tag failed, key not found: key = " + p.entry + " (" + p.key + ": " + p.element +
               " is missing: expected " + p.expected + ")";
    case Problem::Kind::unreadable:
        return (p.message.empty() ? "unable to convert text from tag = " + p.entry : p.message) + " (" + p.key +
               ": " + p.element + " must be " + p.expected + ": " + p.entry + " = \"" + p.text + "\")";
    case Problem::Kind::inner:
        return p.message;
    case Problem::Kind::invalid:
        break;
    }
    if (p.message.empty()) return standard(p, false);
    std::string text = p.message;
    const bool quotes_value = text.find("{value}") != std::string::npos;
    const bool names_key = text.find("{key}") != std::string::npos;
    replace_all(text, "{key}", p.key);
    replace_all(text, "{element}", leaf(p.element));
    replace_all(text, "{entry}", p.entry);
    replace_all(text, "{expected}", p.expected);
    replace_all(text, "{value}", p.text);
    if (quotes_value && names_key) return text;
    return quotes_value ? text + " (in " + p.key + ", element " + p.element + ")" : text + " (" + standard(p, true) + ")";
}

void Report::raise_if_any() const {
    if (problems_.empty()) return;
    std::string text;
    for (const Problem& p : problems_) {
        if (!text.empty()) text += '\n';
        text += describe(p);
    }
    throw util::Exception(text);
}

}  // namespace config
