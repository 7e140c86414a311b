#pragma once
#include <cstdint>
#include <string>

#include "config/schema.h"
#include "model/state.h"
#include "numerics/vector.h"

namespace ostrel {

// A GPS report of a platform's position (N = 3), one sigma for every
// coordinate, with the reporting platform's GPS id and type. Key
// "gps_3d_contact".
template <int N>
class GpsContact : public state::StateTemplate<GpsContact<N>> {
public:
    static const std::string& key();

    // Fails when sigma is negative.
    GpsContact(const nmrc::Vector<N>& position, double sigma, std::int32_t gps_id,
               std::int32_t platform_type, double time);
    // What the element holds.
    struct Form {
        double time = 0.0;
        std::int32_t gps_id = 0;
        std::int32_t platform_type = 0;
        nmrc::Vector<N> position;
        double sigma = 0.0;
    };
    static const config::Schema<Form>& schema();

    explicit GpsContact(const Form& form);
    explicit GpsContact(const xml::Querier& querier) : GpsContact(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const nmrc::Vector<N> position;
    const double sigma;
    const std::int32_t gps_id;
    const std::int32_t platform_type;
    const double time;
};

extern template class GpsContact<3>;

}  // namespace ostrel
