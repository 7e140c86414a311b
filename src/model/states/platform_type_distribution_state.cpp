#include "model/states/platform_type_distribution_state.h"

#include "model/states/dynamic_vector_xml.h"

namespace ostrel {

namespace {
// "dim" is read first and sizes the vector before its text is read.
nmrc::DynamicVector read_distribution(const xml::Querier& querier) {
    int dim = 0;
    querier.att("dim", dim);
    return state::read_dynamic_vector(querier, dim);
}
}  // namespace

PlatformTypeDistributionState::PlatformTypeDistributionState(nmrc::DynamicVector distribution)
    : distribution(std::move(distribution)) {
    if (this->distribution.empty())
        throw util::Exception("empty distribution in platform_type_distribution_state");
}

PlatformTypeDistributionState::PlatformTypeDistributionState(const xml::Querier& querier)
    : PlatformTypeDistributionState(read_distribution(querier)) {}

void PlatformTypeDistributionState::write(xml::OutStream& out) const {
    out.tag(key()).att("dim", std::to_string(distribution.size()));
    out.text(distribution).end_tag();
}

}  // namespace ostrel
