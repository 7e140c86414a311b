#pragma once
#include <string>

#include "xml/querier.h"

namespace ipc {

// A colour map's own parameter (such as "cut") is read from the converter's
// "color_map" element and, failing that, from the converter's element
// itself. Returns the element that holds `key`. Fails, naming the converter,
// when neither holds it, or when both hold it with different texts.
xml::Querier color_map_parameter_holder(const xml::Querier& converter, const std::string& key);

}  // namespace ipc
