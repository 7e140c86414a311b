#include "model/states/tail_gater_state.h"

namespace ostrel {

TailGaterState::Records TailGaterState::with(std::int32_t src, std::int32_t id, double time) const {
    Records copy = records;
    copy[src] = Record{id, time};
    return copy;
}

void TailGaterState::write(xml::OutStream& out) const {
    out.tag(key());
    for (const auto& [src, record] : records) {
        out.tag("record");
        out.element("src", src).element("id", record.id).element("time", record.time);
        out.end_tag();
    }
    out.end_tag();
}

}  // namespace ostrel
