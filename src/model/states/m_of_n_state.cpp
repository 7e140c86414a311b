#include "model/states/m_of_n_state.h"

namespace ostrel {

MofNState::MofNState(const xml::Querier& querier)
    : m(querier.read<std::int32_t>("m")), n(querier.read<std::int32_t>("n")) {}

void MofNState::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("m", m).element("n", n);
    out.end_tag();
}

}  // namespace ostrel
