#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "config/schema.h"
#include "model/state.h"
#include "model/states/counted_vector.h"
#include "numerics/dynamic_vector.h"
#include "numerics/normal.h"
#include "numerics/vector.h"

namespace ostrel {

// One feature of an intercepted waveform.
struct EsmFeatureContact {
    std::int32_t id = 0;
    double mean = 0;
    double variance = 0;
    double support = 0;
    double transition_rate = 0;
};

// The features of one intercepted waveform, in order.
using EsmWaveformContact = std::vector<EsmFeatureContact>;

// A passive emission (ESM) intercept: a bearing from a sensor position, an
// admissible range interval, per-mode likelihoods and the intercepted
// waveforms, optionally with a homogenized position. Key "esm_contact".
// Bearings are radians in memory, degrees in XML.
class EsmContact : public state::StateTemplate<EsmContact> {
public:
    static const char* key() { return "esm_contact"; }

    struct Fields {
        double time = 0;
        nmrc::Vector<3> sensor_position;
        double min_range = 0;
        double max_range = 0;
        double bearing = 0;
        double bearing_sigma = 0;
        nmrc::DynamicVector mode_distribution;
        std::vector<EsmWaveformContact> waveform_contacts;
        std::optional<nmrc::Normal<3>> homogenized_position;
    };

    // Fails when max_range < min_range, bearing_sigma is negative, or the
    // mode distribution is empty.
    explicit EsmContact(Fields fields);
    // What the element holds, angles in degrees as written.
    struct Waveform {
        std::vector<EsmFeatureContact> features;
    };
    struct Form {
        double time = 0;
        nmrc::Vector<3> position;
        double min_range = 0;
        double max_range = 0;
        double bearing = 0;
        double bearing_sigma = 0;
        state::CountedVector mode_distribution;
        std::vector<Waveform> waveforms;
        std::optional<nmrc::Normal<3>> homogenized_position;
    };
    static const config::Schema<Form>& schema();

    explicit EsmContact(const Form& form);
    explicit EsmContact(const xml::Querier& querier) : EsmContact(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const double time;
    const nmrc::Vector<3> sensor_position;
    const double min_range;
    const double max_range;
    const double bearing;
    const double bearing_sigma;
    const nmrc::DynamicVector mode_distribution;
    const std::vector<EsmWaveformContact> waveform_contacts;
    const std::optional<nmrc::Normal<3>> homogenized_position;
};

}  // namespace ostrel
