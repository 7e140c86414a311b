#pragma once
#include <string>

#include "numerics/vector.h"

namespace smltr {

// Constructor checks shared by the simulators. Messages name the owner (a
// key), the parameter and the offending value, e.g.
// "ou_process_2d: sigma must be positive and finite: sigma[1] = 0".
void require_positive(const std::string& owner, const std::string& name, double value);
void require_non_negative(const std::string& owner, const std::string& name, double value);
void require_positive(const std::string& owner, const std::string& name, int value);
void require_non_negative(const std::string& owner, const std::string& name, int value);
void require_probability(const std::string& owner, const std::string& name, double value);
// `name[i]` for the element of a vector parameter.
std::string element_name(const std::string& name, int i);

template <int N>
void require_positive(const std::string& owner, const std::string& name, const nmrc::Vector<N>& v) {
    for (int i = 0; i < N; ++i) require_positive(owner, element_name(name, i), v[i]);
}
template <int N>
void require_non_negative(const std::string& owner, const std::string& name,
                          const nmrc::Vector<N>& v) {
    for (int i = 0; i < N; ++i) require_non_negative(owner, element_name(name, i), v[i]);
}
// Any finite number (centres, axes).
void require_finite(const std::string& owner, const std::string& name, double value);
template <int N>
void require_finite(const std::string& owner, const std::string& name, const nmrc::Vector<N>& v) {
    for (int i = 0; i < N; ++i) require_finite(owner, element_name(name, i), v[i]);
}

}  // namespace smltr
