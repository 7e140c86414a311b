#include "simulation/parameter_checks.h"

#include <cmath>
#include <sstream>

#include "util/exception.h"

namespace smltr {

namespace {
template <class T>
[[noreturn]] void fail(const std::string& owner, const std::string& name, const char* rule, T value) {
    std::ostringstream message;
    message << owner << ": " << name << " must be " << rule << ": " << name << " = " << value;
    throw util::Exception(message.str());
}
}  // namespace

std::string element_name(const std::string& name, int i) {
    return name + "[" + std::to_string(i) + "]";
}

void require_positive(const std::string& owner, const std::string& name, double value) {
    if (!(value > 0.0 && std::isfinite(value))) fail(owner, name, "positive and finite", value);
}

void require_non_negative(const std::string& owner, const std::string& name, double value) {
    if (!(value >= 0.0 && std::isfinite(value))) fail(owner, name, "non-negative and finite", value);
}

void require_positive(const std::string& owner, const std::string& name, int value) {
    if (value <= 0) fail(owner, name, "positive", value);
}

void require_non_negative(const std::string& owner, const std::string& name, int value) {
    if (value < 0) fail(owner, name, "non-negative", value);
}

void require_probability(const std::string& owner, const std::string& name, double value) {
    if (!(value >= 0.0 && value <= 1.0)) fail(owner, name, "in [0, 1]", value);
}

void require_finite(const std::string& owner, const std::string& name, double value) {
    if (!std::isfinite(value)) fail(owner, name, "finite", value);
}

}  // namespace smltr
