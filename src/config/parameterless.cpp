#include "config/parameterless.h"

#include <map>

namespace config {

const Schema<NoParameters>& parameterless(const std::string& key, const std::string& meaning) {
    // A map keeps its elements in place, so the references handed out stay valid.
    static std::map<std::string, Schema<NoParameters>> schemas;
    auto found = schemas.find(key);
    if (found == schemas.end()) found = schemas.emplace(key, Schema<NoParameters>(key, meaning)).first;
    return found->second;
}

}  // namespace config
