#pragma once
#include <string>

#include "config/schema.h"
#include "model/state.h"
#include "numerics/vector.h"

namespace state {

// A point position (N = 1, 2, 3). Key "position_state_" + N + "d"; child
// "position" holding the N numbers.
template <int N>
class PositionState : public StateTemplate<PositionState<N>> {
public:
    static const std::string& key();

    explicit PositionState(const nmrc::Vector<N>& position) : position(position) {}
    // What the element holds.
    struct Form {
        nmrc::Vector<N> position;
    };
    static const config::Schema<Form>& schema();

    explicit PositionState(const Form& form) : position(form.position) {}
    explicit PositionState(const xml::Querier& querier) : PositionState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const nmrc::Vector<N> position;
};

extern template class PositionState<1>;
extern template class PositionState<2>;
extern template class PositionState<3>;

}  // namespace state
