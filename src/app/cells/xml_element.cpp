#include "app/cells/xml_element.h"

#include <sstream>

#include "util/exception.h"

namespace cells {

namespace {

// "--" may not appear inside a comment: "a--b" is written "a- -b".
std::string comment_text(std::string comment) {
    for (std::size_t at = comment.find("--"); at != std::string::npos; at = comment.find("--", at))
        comment.insert(at + 1, " ");
    return comment;
}

// A comment of several lines is indented like the element it explains.
void write_comment(std::ostringstream& out, const std::string& comment, const std::string& indent) {
    if (comment.empty()) return;
    out << indent << "<!-- ";
    for (char c : comment_text(comment)) {
        out << c;
        if (c == '\n') out << indent << "     ";
    }
    out << " -->\n";
}

void write_element(std::ostringstream& out, const Element& element, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    write_comment(out, element.comment, indent);
    if (element.text.find('<') != std::string::npos)
        throw util::Exception("a configuration value cannot hold \"<\": <" + element.name + "> " + element.text);
    if (element.children.empty()) {
        if (element.text.empty()) out << indent << "<" << element.name << "/>\n";
        else out << indent << "<" << element.name << ">" << element.text << "</" << element.name << ">\n";
        return;
    }
    out << indent << "<" << element.name << ">\n";
    for (const Element& child : element.children) write_element(out, child, depth + 1);
    out << indent << "</" << element.name << ">\n";
}

}  // namespace

Element& Element::add(const std::string& child, const std::string& value, const std::string& child_comment) {
    Element element(child, child_comment);
    element.text = value;
    return add(std::move(element));
}

Element& Element::add(const std::string& child, double value, const std::string& child_comment) {
    return add(child, number_text(value), child_comment);
}

std::string number_text(double value) {
    std::ostringstream text;
    text.precision(10);
    text << value;
    return text.str();
}

std::string to_xml_file(const Element& root, const std::string& file_comment) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    write_comment(out, file_comment, "");
    write_element(out, root, 0);
    return out.str();
}

}  // namespace cells
