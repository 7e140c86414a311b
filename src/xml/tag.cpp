#include "xml/tag.h"

#include <sstream>

#include "util/exception.h"
#include "xml/out_stream.h"

namespace xml {

Tag& Tag::tag() const {
    if (children->empty()) throw util::Exception("Tag::tag failed, tags is empty");
    return *children->front();
}

Tag& Tag::tag(const std::string& key) const {
    for (const auto& child : *children)
        if (child->name == key) return *child;
    throw util::Exception("Tag::tag failed, key not found: key = " + key + " " + "\n" + to_string());
}

const std::string& Tag::att(const std::string& key) const {
    for (const auto& attribute : attributes)
        if (attribute.first == key) return attribute.second;
    throw util::Exception("Tag::att failed, key not found: key = " + key + " " + "\n" + to_string());
}

bool Tag::has_tag(const std::string& key) const {
    for (const auto& child : *children)
        if (child->name == key) return true;
    return false;
}

bool Tag::find_att(const std::string& key, std::string& value) const {
    for (const auto& attribute : attributes) {
        if (attribute.first == key) {
            value = attribute.second;
            return true;
        }
    }
    return false;
}

void Tag::write(OutStream& out) const {
    out.tag(name);
    for (const auto& attribute : attributes) out.att(attribute.first, attribute.second);
    if (!text.empty()) out.text(text);
    for (const auto& child : *children) child->write(out);
    out.end_tag();
}

std::string Tag::to_string() const {
    std::ostringstream text_out;
    OutStream out(text_out, "  ");
    write(out);
    return text_out.str();
}

std::string Tag::location() const {
    if (!source || line <= 0) return "";
    return "in " + *source + " at line " + std::to_string(line);
}

}  // namespace xml
