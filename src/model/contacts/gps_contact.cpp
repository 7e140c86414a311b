#include "model/contacts/gps_contact.h"

#include "model/states/sigma_check.h"

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
GpsContact<N>::GpsContact(const xml::Querier& querier)
    : GpsContact(querier.read_finite<nmrc::Vector<N>>("position"), querier.read_finite<double>("sigma"),
                 querier.read<std::int32_t>("gps_id"), querier.read<std::int32_t>("platform_type"),
                 querier.read_finite<double>("time")) {}

template <int N>
void GpsContact<N>::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time).element("gps_id", gps_id).element("platform_type", platform_type);
    out.element("position", position).element("sigma", sigma);
    out.end_tag();
}

template class GpsContact<3>;

}  // namespace ostrel
