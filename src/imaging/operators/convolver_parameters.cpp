#include "imaging/operators/convolver_parameters.h"

#include <map>

#include "imaging/operators/mask_factory.h"

namespace ipc {

const config::Schema<ConvolverParameters>& convolver_schema(const std::string& key, const std::string& meaning) {
    using P = ConvolverParameters;
    // A map keeps its elements in place, so the references handed out stay valid.
    static std::map<std::string, config::Schema<P>> schemas;
    auto found = schemas.find(key);
    if (found == schemas.end()) {
        auto schema = config::Schema<P>(key, meaning)
                          // Not required here: the mask reader itself names a missing or extra mask.
                          .contents(&P::mask, "one mask element: circle_mask or disk_mask",
                                    "the neighbourhood centred on each pixel", mask_from_only_child, false)
                          .rule("mask", "given", [](const P& p) { return p.mask != nullptr; },
                                [](const P&) { return std::string("none"); });
        found = schemas.emplace(key, std::move(schema)).first;
    }
    return found->second;
}

}  // namespace ipc
