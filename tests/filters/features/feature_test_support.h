#pragma once
#include <string>

#include "filters/features/feature_filter_registry.h"
#include "model/composite_state.h"
#include "model/states/time_state.h"
#include "tracker/structural_filters.h"
#include "xml/querier.h"

namespace feature_test {

inline xml::Querier parse(const std::string& element) { return xml::Querier::parse("\n" + element); }

// Registers "no_op", "bad_op" and the feature keys (quietly) and builds.
inline ostrel::FilterPtr build(const std::string& element) {
    ostrel::FilterFactory& factory = ostrel::filter_factory();
    factory.registerize("no_op", &util::create<const ostrel::Filter, ostrel::NoOp>);
    factory.registerize("bad_op", &ostrel::create_bad_op);
    for (const ostrel::FilterKey& k : ostrel::feature_filter_keys()) factory.registerize(k.key, k.creator);
    return factory.create(parse(element));
}

// A contact holding `feature` and a TimeState at `time`.
inline state::CompositeState contact(state::StatePtr feature, double time) {
    state::CompositeState c;
    if (feature) c.insert(std::move(feature));
    c.insert(std::make_shared<const state::TimeState>(time));
    return c;
}

}  // namespace feature_test
