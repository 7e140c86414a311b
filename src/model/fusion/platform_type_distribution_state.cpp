#include "model/fusion/platform_type_distribution_state.h"

#include "model/states/dynamic_vector_xml.h"
#include "model/states/platform_type_distribution_state.h"

namespace fusion {

PlatformTypeDistributionState::PlatformTypeDistributionState(nmrc::DynamicVector distribution)
    : distribution(std::move(distribution)) {
    if (this->distribution.empty())
        throw util::Exception("empty distribution in platform_type_distribuion_state");
}

// The number of probabilities in "distribution" gives the length.
PlatformTypeDistributionState::PlatformTypeDistributionState(const xml::Querier& querier)
    : PlatformTypeDistributionState(state::read_dynamic_vector(querier.tag("distribution"))) {}

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
