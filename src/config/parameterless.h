#pragma once
#include <string>

#include "config/schema.h"

namespace config {

// The parameters of a key that takes none.
struct NoParameters {};

// The schema of a key without parameters: binding it only warns of (or, in
// strict mode, refuses) child elements. One schema per key, kept for the run.
const Schema<NoParameters>& parameterless(const std::string& key, const std::string& meaning);

}  // namespace config
