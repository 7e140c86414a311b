#include "simulation/state_inserters.h"

namespace truth {

namespace {
xml::Querier only_child(const xml::Querier& querier) {
    const std::vector<xml::Querier> children = querier.tags();
    if (children.empty()) throw util::Exception("no state element inside " + querier.name());
    return children.front();
}
}  // namespace

ConstStateInserter::ConstStateInserter(const xml::Querier& querier)
    : state_(state::factory().create(only_child(querier))) {}

void ConstStateInserter::simulate(state::CompositeState& target) { target.insert(state_); }

XmlStateInserter::XmlStateInserter(const xml::Querier& querier) : element_(only_child(querier)) {
    state::factory().create(element_);
}

void XmlStateInserter::simulate(state::CompositeState& target) {
    target.insert(state::StatePtr(state::factory().create(element_)));
}

}  // namespace truth
