#include "model/states/truth_state.h"

namespace state {

TruthState::TruthState(CompositeStatePtr truth) : truth(std::move(truth)) {
    if (!this->truth) throw util::Exception("TruthState: truth is null");
}

// The one child, whatever its name, is the set (as for ContactState).
const config::Schema<TruthState::Form>& TruthState::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "the true states of a simulated target")
            .contents(&Form::truth, "a composite_state element", "the true states",
                      [](const xml::Querier& element) { return std::make_shared<CompositeState>(element.tag()); });
    return schema;
}

void TruthState::write(xml::OutStream& out) const {
    out.tag(key());
    truth->write(out);
    out.end_tag();
}

}  // namespace state
