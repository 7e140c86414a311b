#include "filters/passive/esm_mode_state.h"

#include "model/states/dynamic_vector_xml.h"

namespace ostrel {

EsmModeState::EsmModeState(nmrc::DynamicVector distribution) : distribution(std::move(distribution)) {
    if (this->distribution.empty()) throw util::Exception("empty distribution in esm_mode_state");
}

EsmModeState::EsmModeState(const xml::Querier& querier)
    : EsmModeState(state::read_dynamic_vector(querier.tag("distribution"))) {}

void EsmModeState::write(xml::OutStream& out) const {
    out.tag(key()).element("distribution", distribution).end_tag();
}

}  // namespace ostrel
