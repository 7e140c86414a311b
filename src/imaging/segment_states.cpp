#include "imaging/segment_states.h"

namespace ipc {

namespace {
int read_id(const xml::Querier& querier) {
    int id = 0;
    querier.text(id);
    return id;
}
}  // namespace

SegmentIdState::SegmentIdState(const xml::Querier& querier) : id(read_id(querier)) {}

}  // namespace ipc
