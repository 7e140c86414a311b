#include "model/contacts/gps_contact.h"

#include "model/states/sigma_check.h"
#include "numerics/value_forms.h"

namespace ostrel {

template <int N>
const std::string& GpsContact<N>::key() {
    static const std::string k = "gps_" + std::to_string(N) + "d_contact";
    return k;
}

template <int N>
GpsContact<N>::GpsContact(const nmrc::Vector<N>& position, double sigma, std::int32_t gps_id,
                          std::int32_t platform_type, double time)
    : position(position), sigma(sigma), gps_id(gps_id), platform_type(platform_type), time(time) {
    state::check_sigmas(&sigma, &sigma + 1, key());
}

template <int N>
const config::Schema<typename GpsContact<N>::Form>& GpsContact<N>::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "a GPS report of a platform's position")
            .required(&Form::time, "time", "the time of the report", config::finite_text())
            .required(&Form::gps_id, "gps_id", "the reporting platform's GPS id")
            .required(&Form::platform_type, "platform_type", "the reporting platform's type number")
            .required(&Form::position, "position", "the reported position", config::finite_text())
            .required(&Form::sigma, "sigma", "one standard deviation for every coordinate", config::finite_text(),
                      config::non_negative().says("sigma is negative in {key}: sigma = {value}"));
    return schema;
}

template <int N>
GpsContact<N>::GpsContact(const Form& form)
    : GpsContact(form.position, form.sigma, form.gps_id, form.platform_type, form.time) {}

template <int N>
void GpsContact<N>::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time).element("gps_id", gps_id).element("platform_type", platform_type);
    out.element("position", position).element("sigma", sigma);
    out.end_tag();
}

template class GpsContact<3>;

}  // namespace ostrel
