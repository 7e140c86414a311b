#include "tracker/track_state.h"

namespace ostrel {

TrackState::TrackState(const xml::Querier& querier)
    : states(querier.tag("composite_state")) {
    xml::Querier label_tag = querier.tag("label");
    label.src = label_tag.read<std::int32_t>("src");
    label.id = label_tag.read<std::int32_t>("id");
    log_likelihood = querier.read<double>("log_likelihood");
    // The program writes gates as 1 or 0; "true" is accepted as well.
    const std::string& gates_text = querier.tag("gates").raw_text();
    gates = gates_text == "true" || gates_text == "1";
}

void TrackState::write(xml::OutStream& out) const {
    out.tag("track_state");
    out.tag("label").element("src", label.src).element("id", label.id).end_tag();
    out.element("log_likelihood", log_likelihood);
    out.element("gates", gates);
    states.write(out);
    out.end_tag();
}

}  // namespace ostrel
