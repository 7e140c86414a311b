#include "model/states/mops_id_state.h"

namespace ostrel {

MopsIdState::MopsIdState(const xml::Querier& querier) : id(querier.read<std::int32_t>("id")) {}

void MopsIdState::write(xml::OutStream& out) const {
    out.tag(key()).element("id", id).end_tag();
}

}  // namespace ostrel
