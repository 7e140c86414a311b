#include "model/fusion/frequency_footprint_state.h"

#include <sstream>

namespace fusion {

namespace {
const config::Schema<FrequencyFootprintState::Band>& band_schema() {
    using Band = FrequencyFootprintState::Band;
    static const auto schema =
        config::Schema<Band>("frequency_interval", "a closed band of frequencies [min, max]")
            .required(&Band::min, "min", "the lowest frequency of the band", config::not_nan_text())
            .required(&Band::max, "max", "the highest frequency of the band", config::not_nan_text());
    return schema;
}
}  // namespace

const config::Schema<FrequencyFootprintState::Form>& FrequencyFootprintState::schema() {
    static const auto schema = config::Schema<Form>(key(), "the frequency bands a receiver covers")
                                   .repeated(&Form::bands, band_schema(), "the bands, bounds included");
    return schema;
}

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
