#include "model/states/missed_detection_count_state.h"

namespace ostrel {

MissedDetectionCountState::MissedDetectionCountState(const xml::Querier& querier)
    : count(querier.read<std::int32_t>("count")) {}

void MissedDetectionCountState::write(xml::OutStream& out) const { out.element(key(), count); }

}  // namespace ostrel
