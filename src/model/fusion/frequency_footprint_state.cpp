#include "model/fusion/frequency_footprint_state.h"

#include <sstream>

namespace fusion {

namespace {
std::vector<FrequencyFootprintState::Band> read_bands(const xml::Querier& querier) {
    std::vector<FrequencyFootprintState::Band> bands;
    for (const xml::Querier& child : querier.tags()) {
        if (child.name() != "frequency_interval")
            throw util::Exception("unexpected element in frequency_footprint_state: " + child.name());
        bands.push_back({child.read_bound<double>("min"), child.read_bound<double>("max")});
    }
    return bands;
}
}  // namespace

FrequencyFootprintState::FrequencyFootprintState(std::vector<Band> bands) : bands(std::move(bands)) {
    for (const Band& band : this->bands) {
        if (!(band.min <= band.max)) {
            std::ostringstream message;
            message << "frequency interval is empty in frequency_footprint_state: min = "
                    << band.min << ", max = " << band.max;
            throw util::Exception(message.str());
        }
    }
}

FrequencyFootprintState::FrequencyFootprintState(const xml::Querier& querier)
    : FrequencyFootprintState(read_bands(querier)) {}

bool FrequencyFootprintState::contains(double frequency) const {
    for (const Band& band : bands)
        if (band.min <= frequency && frequency <= band.max) return true;
    return false;
}

void FrequencyFootprintState::write(xml::OutStream& out) const {
    out.tag(key());
    for (const Band& band : bands) {
        out.tag("frequency_interval").element("min", band.min).element("max", band.max).end_tag();
    }
    out.end_tag();
}

}  // namespace fusion
