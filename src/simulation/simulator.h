#pragma once
#include "model/composite_state.h"
#include "util/counted_ptr.h"
#include "util/factory.h"
#include "xml/querier.h"

namespace smltr {

// Generates or changes the ground truth of one target (or the measurement of
// one contact): adds, replaces or removes states in its composite state.
// Random simulators own their generators, so simulate is not const.
class Simulator {
public:
    virtual void simulate(state::CompositeState& target) = 0;
    virtual ~Simulator() = default;
};

using SimulatorPtr = util::CountedPtr<Simulator>;
using SimulatorFactory = util::QuerierFactory<SimulatorPtr>;

// The one simulator factory; filled at start-up by register_simulators().
SimulatorFactory& factory();

// Builds the simulator held by `parent` as its only child element (the
// element name is the simulator's key); no child fails naming the parent.
SimulatorPtr make_child_simulator(const xml::Querier& parent);

}  // namespace smltr
