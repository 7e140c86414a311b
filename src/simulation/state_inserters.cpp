#include "simulation/state_inserters.h"

namespace truth {

namespace {

xml::Querier only_child(const xml::Querier& querier) {
    const std::vector<xml::Querier> children = querier.tags();
    if (children.empty()) throw util::Exception("no state element inside " + querier.name());
    return children.front();
}

state::StatePtr state_in(const xml::Querier& querier) { return state::factory().create(only_child(querier)); }

xml::Querier checked_state_element(const xml::Querier& querier) {
    state_in(querier);
    return only_child(querier);
}

}  // namespace

const config::Schema<ConstStateInserter::Parameters>& ConstStateInserter::schema() {
    static const auto schema =
        config::Schema<Parameters>("const_state_inserter", "inserts one state, built once, into every target")
            .contents(&Parameters::state, "a state element", "the state", &state_in, false);
    return schema;
}

ConstStateInserter::ConstStateInserter(const Parameters& parameters) : state_(parameters.state) {
    if (!state_) throw util::Exception("no state element inside const_state_inserter");
}

void ConstStateInserter::simulate(state::CompositeState& target) { target.insert(state_); }

const config::Schema<XmlStateInserter::Parameters>& XmlStateInserter::schema() {
    static const auto schema =
        config::Schema<Parameters>("xml_state_inserter", "inserts a fresh state built from its element into "
                                                         "every target")
            .contents(&Parameters::element, "a state element", "the state", &checked_state_element, false);
    return schema;
}

void XmlStateInserter::simulate(state::CompositeState& target) {
    target.insert(state::StatePtr(state::factory().create(element_)));
}

}  // namespace truth
