#pragma once
#include <string>

#include "util/counted_ptr.h"
#include "xml/tag.h"

namespace xml {

// Elements may nest at most this deep (the root is level 1). Every reader
// of the tree recurses over it, so the limit keeps the stack bounded
// whatever the input; deeper input is refused with the file and line.
constexpr int kMaxElementDepth = 256;

// Parses the narrow XML subset of configuration and frame files into a tree.
// With skip_declaration, everything up to the first newline is dropped
// unexamined (the declaration line). Comments are skipped wherever they
// stand. End of input inside an element is an error naming the source and
// the unclosed element. An end tag that names another element than its start
// tag is reported through xml::warn_or_throw (a warning unless strict).
util::CountedPtr<Tag> parse_document(const std::string& contents, const std::string& source_name,
                                     bool skip_declaration);

}  // namespace xml
