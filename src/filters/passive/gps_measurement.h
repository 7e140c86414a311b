#pragma once
#include "model/contacts/gps_contact.h"
#include "numerics/normal.h"

namespace ostrel {

// A GPS report as a position measurement: z = position, R = sigma^2 I.
template <int N>
nmrc::Normal<N> gps_position(const GpsContact<N>& gps) {
    return {gps.position, nmrc::SymmetricMatrix<N>::identity() * (gps.sigma * gps.sigma)};
}

}  // namespace ostrel
