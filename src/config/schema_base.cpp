#include "config/schema_base.h"

#include <algorithm>

#include "util/nearest_names.h"
#include "xml/strictness.h"

namespace config {

namespace {

// "; did you mean a?", "; did you mean a or b?" or "" when nothing is close.
std::string suggestion(const std::string& name, const std::vector<std::string>& known) {
    const std::vector<std::string> near = util::nearest_names(name, known);
    if (near.empty()) return "";
    std::string text = "; did you mean ";
    for (std::size_t i = 0; i < near.size(); ++i) {
        if (i > 0) text += i + 1 == near.size() ? " or " : ", ";
        text += near[i];
    }
    return text + "?";
}

}  // namespace

void SchemaBase::add_line(Line line, const std::vector<std::string>& names) {
    lines_.push_back(std::move(line));
    names_.insert(names_.end(), names.begin(), names.end());
}

void SchemaBase::check_children(const xml::Querier& element, const Context& context) const {
    if (open_) return;
    const std::string owner = context.prefix.empty()
                                  ? context.key
                                  : context.key + "/" + context.prefix.substr(0, context.prefix.size() - 1);
    for (const xml::Querier& child : element.tags()) {
        if (std::find(names_.begin(), names_.end(), child.name()) != names_.end()) continue;
        xml::warn_or_throw(owner + " has no element " + child.name() + suggestion(child.name(), names_));
    }
}

std::string SchemaBase::describe(const std::string& shown_key) const {
    std::string text = shown_key + ": " + meaning_ + "\n";
    if (lines_.empty()) text += "  (no parameters)\n";
    describe_into(text, "  ");
    return text;
}

void SchemaBase::describe_into(std::string& text, const std::string& indent) const {
    std::size_t width = 0;
    for (const Line& line : lines_) width = std::max(width, line.name.size());
    for (const Line& line : lines_) {
        text += indent + line.name + std::string(width + 2 - line.name.size(), ' ') + line.form + "; " +
                line.presence + "\n" + indent + std::string(width + 2, ' ') + line.meaning + "\n";
        if (line.nested != nullptr) line.nested->describe_into(text, indent + "  ");
    }
    for (const std::string& note : notes_) text += indent + note + "\n";
}

}  // namespace config
