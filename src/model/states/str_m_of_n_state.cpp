#include "model/states/str_m_of_n_state.h"

namespace str {

StrMofNState::StrMofNState(const xml::Querier& querier)
    : m(querier.read<std::int32_t>("m")),
      n(querier.read<std::int32_t>("n")),
      o(querier.read<std::int32_t>("o")) {}

void StrMofNState::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("m", m).element("n", n).element("o", o);
    out.end_tag();
}

}  // namespace str
