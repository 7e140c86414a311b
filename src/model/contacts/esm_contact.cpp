#include "model/contacts/esm_contact.h"

#include <sstream>

#include "model/contacts/angles.h"
#include "model/states/sigma_check.h"
#include "numerics/value_forms.h"

namespace ostrel {

namespace {

const config::Schema<EsmFeatureContact>& feature_schema() {
    using F = EsmFeatureContact;
    static const auto schema =
        config::Schema<F>("esm_feature_contact", "one feature of an intercepted waveform")
            .required(&F::id, "id", "the feature's id")
            .required(&F::mean, "mean", "the feature's mean", config::finite_text())
            .required(&F::variance, "variance", "the feature's variance", config::finite_text())
            .required(&F::support, "support", "the feature's support", config::finite_text())
            .required(&F::transition_rate, "transition_rate", "the feature's transition rate", config::finite_text());
    return schema;
}

const config::Schema<EsmContact::Waveform>& waveform_schema() {
    using W = EsmContact::Waveform;
    static const auto schema = config::Schema<W>("esm_waveform_contact", "one intercepted waveform")
                                   .repeated(&W::features, feature_schema(), "its features, in order");
    return schema;
}

const config::Schema<nmrc::Normal<3>>& homogenized_schema() {
    using P = nmrc::Normal<3>;
    static const auto schema =
        config::Schema<P>("homogenized_position_contact", "a homogenized position: mean and covariance")
            .required(&P::mean, "mean", "the mean position", config::finite_text())
            .required(&P::covariance, "covariance", "its covariance", config::finite_text());
    return schema;
}

EsmContact::Fields fields_of(const EsmContact::Form& form) {
    EsmContact::Fields f;
    f.time = form.time;
    f.sensor_position = form.position;
    f.min_range = form.min_range;
    f.max_range = form.max_range;
    f.bearing = form.bearing * state::radians_per_degree;
    f.bearing_sigma = form.bearing_sigma * state::radians_per_degree;
    f.mode_distribution = form.mode_distribution.values;
    for (const EsmContact::Waveform& waveform : form.waveforms) f.waveform_contacts.push_back(waveform.features);
    f.homogenized_position = form.homogenized_position;
    return f;
}

}  // namespace

const config::Schema<EsmContact::Form>& EsmContact::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a passive emission (ESM) intercept: a bearing from a sensor position")
            .required(&Form::time, "time", "the time of the intercept", config::finite_text())
            .required(&Form::position, "position", "where the sensor stands", config::finite_text())
            .required(&Form::min_range, "min_range", "the smallest admissible range (may be inf)",
                      config::not_nan_text())
            .required(&Form::max_range, "max_range", "the largest admissible range (may be inf)",
                      config::not_nan_text())
            .required(&Form::bearing, "bearing", "the bearing (degrees)", config::finite_text())
            .required(&Form::bearing_sigma, "bearing_sigma", "the bearing's standard deviation (degrees)",
                      config::finite_text(), config::non_negative().says("sigma is negative in {key}: sigma = {value}"))
            .required(&Form::mode_distribution, "mode_distribution", "one likelihood per emitter mode")
            .repeated(&Form::waveforms, waveform_schema(), "the intercepted waveforms, in order")
            .optional_nested(&Form::homogenized_position, homogenized_schema(),
                             "a homogenized position of the emitter, when known");
    return schema;
}

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

EsmContact::EsmContact(const Form& form) : EsmContact(fields_of(form)) {}

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
