#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "util/counted_ptr.h"

namespace xml {

class OutStream;

// One node of a parsed XML tree.
class Tag {
public:
    using Attribute = std::pair<std::string, std::string>;
    using Children = std::vector<util::CountedPtr<Tag>>;

    std::string name;
    std::vector<Attribute> attributes;
    std::string text;
    util::CountedPtr<Children> children = std::make_shared<Children>();
    Tag* parent = nullptr;

    // Where the start tag stands: the file (or other source) it was read
    // from, shared by every tag of that source, and its 1-based line (0 when
    // the tag was not read from text).
    std::shared_ptr<const std::string> source;
    int line = 0;

    // First child; throws when there is none.
    Tag& tag() const;
    // First child named key; the error shows the whole element.
    Tag& tag(const std::string& key) const;
    const std::string& att(const std::string& key) const;
    bool has_tag(const std::string& key) const;
    bool find_att(const std::string& key, std::string& value) const;

    void write(OutStream& out) const;
    // The element written as XML with a two-blank indentation.
    std::string to_string() const;

    // "in FILE at line N" for messages; empty when the place is unknown.
    std::string location() const;
};

}  // namespace xml
