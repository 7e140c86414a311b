#include "model/states/platform_type_distribution_state.h"

namespace ostrel {

const config::Schema<PlatformTypeDistributionState::Form>& PlatformTypeDistributionState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a track's belief over platform types")
            .text(&Form::distribution, "one probability per platform type, in the order of the platform library");
    return schema;
}

PlatformTypeDistributionState::PlatformTypeDistributionState(nmrc::DynamicVector distribution)
    : distribution(std::move(distribution)) {
    if (this->distribution.empty())
        throw util::Exception("empty distribution in platform_type_distribution_state");
}

void PlatformTypeDistributionState::write(xml::OutStream& out) const {
    out.tag(key()).att("dim", std::to_string(distribution.size()));
    out.text(distribution).end_tag();
}

}  // namespace ostrel
