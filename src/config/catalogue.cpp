#include "config/catalogue.h"

#include <algorithm>
#include <map>

#include "util/nearest_names.h"

namespace config {

namespace {

// One key may name schemas in several families (a footprint and its uniform
// sampler are both "circle").
std::map<std::string, std::vector<const SchemaBase*>>& catalogue() {
    static std::map<std::string, std::vector<const SchemaBase*>> entries;
    return entries;
}

}  // namespace

void declare(const SchemaBase& schema) { declare(schema.key(), schema); }

void declare(const std::string& key, const SchemaBase& schema) {
    std::vector<const SchemaBase*>& list = catalogue()[key];
    if (std::find(list.begin(), list.end(), &schema) == list.end()) list.push_back(&schema);
}

std::vector<std::string> declared_keys() {
    std::vector<std::string> keys;
    for (const auto& entry : catalogue()) keys.push_back(entry.first);
    return keys;
}

std::string describe_key(const std::string& key) {
    const auto found = catalogue().find(key);
    if (found == catalogue().end())
        return key + ": no parameter description; either this key's parameters are not declared in a schema yet "
                     "(its element is read as before) or it is not a key" +
               util::did_you_mean(key, declared_keys()) + "\n";
    std::string text;
    for (const SchemaBase* schema : found->second) {
        if (!text.empty()) text += "\n";
        text += schema->describe(key);
    }
    return text;
}

}  // namespace config
