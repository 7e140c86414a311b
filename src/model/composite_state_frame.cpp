#include "model/composite_state_frame.h"

namespace frame {

CompositeStateFrame::CompositeStateFrame(const xml::Querier& querier) : Frame(querier) {
    meta_data = std::make_shared<state::CompositeState>(querier.tag("meta_data").tag());
    for (const xml::Querier& set : querier.tag("composite_states").tags())
        composite_states.push_back(std::make_shared<state::CompositeState>(set));
}

void CompositeStateFrame::write(xml::OutStream& out) const {
    out.tag("composite_state_frame");
    out.element("time", time);
    out.tag("meta_data");
    meta_data->write(out);
    out.end_tag();
    out.tag("composite_states");
    for (const auto& set : composite_states) set->write(out);
    out.end_tag();
    out.end_tag();
}

}  // namespace frame
