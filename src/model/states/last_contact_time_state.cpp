#include "model/states/last_contact_time_state.h"

namespace ostrel {

LastContactTimeState::LastContactTimeState(const xml::Querier& querier)
    : last_contact_time(querier.read_finite<double>("last_contact_time")) {}

void LastContactTimeState::write(xml::OutStream& out) const {
    out.element(key(), last_contact_time);
}

}  // namespace ostrel
