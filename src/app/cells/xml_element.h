#pragma once
#include <string>
#include <vector>

namespace cells {

// A configuration element under construction: a name, text or child
// elements, and an optional comment written just before it. Enough to
// write the configurations that ostrel-cells generates in a form people can
// read and edit.
struct Element {
    std::string name;
    std::string text;
    std::string comment;
    std::vector<Element> children;

    Element() = default;
    explicit Element(std::string element_name, std::string element_comment = "")
        : name(std::move(element_name)), comment(std::move(element_comment)) {}

    Element& add(Element child) {
        children.push_back(std::move(child));
        return *this;
    }
    // A child holding one value; numbers keep up to 10 significant digits.
    Element& add(const std::string& child, const std::string& value, const std::string& child_comment = "");
    Element& add(const std::string& child, double value, const std::string& child_comment = "");
};

// "8", "13.8", "0.3333333333": the shortest form up to 10 significant digits.
std::string number_text(double value);

// The whole file: the XML declaration, a comment (may be empty), and the
// element with two blanks of indentation per level. A "--" in a comment is
// written "- -"; text must not hold "<" (the configuration reader has no
// escapes), which throws.
std::string to_xml_file(const Element& root, const std::string& file_comment);

}  // namespace cells
