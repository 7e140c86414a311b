#include "filters/filter_schema.h"

namespace ostrel {

config::Schema<GateParameters> gate_schema(const std::string& key, const std::string& meaning) {
    return config::Schema<GateParameters>(key, meaning)
        .required(&GateParameters::gate, "gate", "the squared Mahalanobis distance at which a contact is rejected",
                  infinity(), threshold());
}

}  // namespace ostrel
