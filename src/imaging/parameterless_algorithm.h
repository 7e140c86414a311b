#pragma once
#include "config/parameterless.h"
#include "xml/querier.h"

namespace ipc {

// The base of the image algorithms that take no parameters. Algorithm
// names its schema and says what it does:
//   static constexpr const char* schema_key = "spatial_segmentor";
//   static constexpr const char* meaning = "numbers the ... regions ...";
// and takes the constructors with `using ParameterlessAlgorithm<...>::ParameterlessAlgorithm;`.
// Binding the element only warns of (or, in strict mode, refuses) child
// elements; one schema serves every key of the template.
template <class Algorithm>
class ParameterlessAlgorithm {
public:
    using Parameters = config::NoParameters;
    static const config::Schema<Parameters>& schema() {
        return config::parameterless(Algorithm::schema_key, Algorithm::meaning);
    }

    explicit ParameterlessAlgorithm(const Parameters& = {}) {}
    explicit ParameterlessAlgorithm(const xml::Querier& element) : ParameterlessAlgorithm(schema().bind(element)) {}
};

}  // namespace ipc
