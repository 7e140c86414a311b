#pragma once
#include <string>
#include <vector>

#include "config/schema_base.h"

namespace config {

// Makes a key's schema known to describe_key. Called by the registration
// routines of the families whose parameters are declared in schemas; a key
// declared twice with the same schema is kept once. Schemas must outlive the
// catalogue (they are function-local statics).
void declare(const SchemaBase& schema);
// Declares a schema that serves several keys under one of them.
void declare(const std::string& key, const SchemaBase& schema);

// Every declared key, in byte-wise order.
std::vector<std::string> declared_keys();

// The parameters of a key for `ostrel --describe KEY`: its meaning, and for
// each parameter its type, checks, default or "required" and meaning. A key
// without a declared schema gets a plain statement that its parameters are
// not described yet, with the nearest declared keys.
std::string describe_key(const std::string& key);

}  // namespace config
