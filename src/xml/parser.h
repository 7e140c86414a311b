#pragma once
#include <string>

#include "util/counted_ptr.h"
#include "xml/tag.h"

namespace xml {

// Parses the narrow XML subset of configuration and frame files into a tree.
// With skip_declaration, everything up to the first newline is dropped
// unexamined (the declaration line). Comments are skipped wherever they
// stand. End of input inside an element is an error naming the source and
// the unclosed element.
util::CountedPtr<Tag> parse_document(const std::string& contents, const std::string& source_name,
                                     bool skip_declaration);

}  // namespace xml
