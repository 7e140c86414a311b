#include "model/contacts/esm_contact.h"

#include <sstream>

#include "model/contacts/angles.h"
#include "model/states/dynamic_vector_xml.h"
#include "model/states/sigma_check.h"

namespace ostrel {

namespace {

EsmFeatureContact read_feature(const xml::Querier& q) {
    EsmFeatureContact f;
    f.id = q.read<std::int32_t>("id");
    f.mean = q.read_finite<double>("mean");
    f.variance = q.read_finite<double>("variance");
    f.support = q.read_finite<double>("support");
    f.transition_rate = q.read_finite<double>("transition_rate");
    return f;
}

EsmWaveformContact read_waveform(const xml::Querier& q) {
    EsmWaveformContact waveform;
    for (const xml::Querier& child : q.tags()) {
        if (child.name() != "esm_feature_contact")
            throw util::Exception("unexpected element in esm_waveform_contact: " + child.name());
        waveform.push_back(read_feature(child));
    }
    return waveform;
}

EsmContact::Fields read_fields(const xml::Querier& q) {
    EsmContact::Fields f;
    f.time = q.read_finite<double>("time");
    f.sensor_position = q.read_finite<nmrc::Vector<3>>("position");
    f.min_range = q.read_bound<double>("min_range");
    f.max_range = q.read_bound<double>("max_range");
    f.bearing = q.read_finite<double>("bearing") * state::radians_per_degree;
    f.bearing_sigma = q.read_finite<double>("bearing_sigma") * state::radians_per_degree;
    // "dim" is read first and sizes the vector before its text is read.
    xml::Querier modes = q.tag("mode_distribution");
    int dim = 0;
    modes.att("dim", dim);
    f.mode_distribution = state::read_dynamic_vector(modes, dim);
    for (const xml::Querier& child : q.tags())
        if (child.name() == "esm_waveform_contact") f.waveform_contacts.push_back(read_waveform(child));
    xml::Querier homogenized;
    if (q.find_tag("homogenized_position_contact", homogenized)) {
        f.homogenized_position = nmrc::Normal<3>::read(homogenized);
        homogenized.tag("mean").require_numbers(false);
        homogenized.tag("covariance").require_numbers(false);
    }
    return f;
}

}  // namespace

EsmContact::EsmContact(Fields f)
    : time(f.time),
      sensor_position(f.sensor_position),
      min_range(f.min_range),
      max_range(f.max_range),
      bearing(f.bearing),
      bearing_sigma(f.bearing_sigma),
      mode_distribution(std::move(f.mode_distribution)),
      waveform_contacts(std::move(f.waveform_contacts)),
      homogenized_position(std::move(f.homogenized_position)) {
    if (!(min_range <= max_range)) {
        std::ostringstream message;
        message << "max_range is smaller than min_range in esm_contact: min_range = " << min_range
                << ", max_range = " << max_range;
        throw util::Exception(message.str());
    }
    state::check_sigmas(&bearing_sigma, &bearing_sigma + 1, key());
    if (mode_distribution.empty()) throw util::Exception("empty mode_distribution in esm_contact");
}

EsmContact::EsmContact(const xml::Querier& querier) : EsmContact(read_fields(querier)) {}

void EsmContact::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time).element("position", sensor_position);
    out.element("min_range", min_range).element("max_range", max_range);
    out.element("bearing", bearing * state::degrees_per_radian);
    out.element("bearing_sigma", bearing_sigma * state::degrees_per_radian);
    out.tag("mode_distribution").att("dim", std::to_string(mode_distribution.size()));
    out.text(mode_distribution).end_tag();
    for (const EsmWaveformContact& waveform : waveform_contacts) {
        out.tag("esm_waveform_contact");
        for (const EsmFeatureContact& f : waveform) {
            out.tag("esm_feature_contact");
            out.element("id", f.id).element("mean", f.mean).element("variance", f.variance);
            out.element("support", f.support).element("transition_rate", f.transition_rate);
            out.end_tag();
        }
        out.end_tag();
    }
    if (homogenized_position) {
        out.tag("homogenized_position_contact");
        out.element("mean", homogenized_position->mean);
        out.element("covariance", homogenized_position->covariance);
        out.end_tag();
    }
    out.end_tag();
}

}  // namespace ostrel
