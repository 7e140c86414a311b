#include "model/states/truth_state.h"

namespace state {

TruthState::TruthState(CompositeStatePtr truth) : truth(std::move(truth)) {
    if (!this->truth) throw util::Exception("TruthState: truth is null");
}

// The one child, whatever its name, is the set (as for ContactState).
TruthState::TruthState(const xml::Querier& querier)
    : truth(std::make_shared<CompositeState>(querier.tag())) {}

void TruthState::write(xml::OutStream& out) const {
    out.tag(key());
    truth->write(out);
    out.end_tag();
}

}  // namespace state
