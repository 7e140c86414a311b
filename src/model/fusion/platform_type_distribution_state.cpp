#include "model/fusion/platform_type_distribution_state.h"

#include "model/states/platform_type_distribution_state.h"
#include "numerics/value_forms.h"

namespace fusion {

PlatformTypeDistributionState::PlatformTypeDistributionState(nmrc::DynamicVector distribution)
    : distribution(std::move(distribution)) {
    if (this->distribution.empty())
        throw util::Exception("empty distribution in platform_type_distribuion_state");
}

// The number of probabilities in "distribution" gives the length; none at
// all fails as reading into an empty vector does.
const config::Schema<PlatformTypeDistributionState::Form>& PlatformTypeDistributionState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a platform-type belief (the older spelling of the key)")
            .required(&Form::distribution, "distribution",
                      "one probability per platform type; their count gives the length", config::finite_text(),
                      config::Check<nmrc::DynamicVector>{"not empty",
                                                         [](const nmrc::DynamicVector& v) { return !v.empty(); },
                                                         "nmrc::Vector::read called on empty Vector"});
    return schema;
}

const config::SchemaBase& PlatformTypeDistributionState::either_schema() {
    static const auto schema = ostrel::PlatformTypeDistributionState::schema().derive(
        "a track's belief over platform types; an element with a distribution child and no dim attribute is "
        "read in the form of platform_type_distribuion_state instead");
    return schema;
}

util::CountedPtr<state::State> PlatformTypeDistributionState::create_either(const xml::Querier& element) {
    std::string dim;
    if (element.has_tag("distribution") && !element.find_att("dim", dim))
        return std::make_shared<PlatformTypeDistributionState>(element);
    return std::make_shared<ostrel::PlatformTypeDistributionState>(element);
}

void PlatformTypeDistributionState::write(xml::OutStream& out) const {
    out.tag(written_key()).element("distribution", distribution).end_tag();
}

}  // namespace fusion
