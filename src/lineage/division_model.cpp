#include "lineage/division_model.h"

#include <cmath>
#include <sstream>

#include "util/exception.h"

namespace lineage {

namespace {

[[noreturn]] void bad(const std::string& name, double value, const std::string& rule) {
    std::ostringstream message;
    message << "division_model: " << name << " must be " << rule << ", " << name << " = " << value;
    throw util::Exception(message.str());
}

double positive(const xml::Querier& q, const std::string& name) {
    const double value = q.read<double>(name);
    if (!(value > 0.0) || !std::isfinite(value)) bad(name, value, "a number > 0");
    return value;
}

// Angle between two directions taken as axes (either sense), in [0, pi/2].
double axis_angle(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), M_PI);
    return std::min(d, M_PI - d);
}

}  // namespace

DivisionModel::DivisionModel(const xml::Querier& querier) {
    division_probability_ = querier.read<double>("division_probability");
    if (!(division_probability_ > 0.0 && division_probability_ < 1.0))
        bad("division_probability", division_probability_, "between 0 and 1 (exclusive)");
    minimum_age_ = querier.read<int>("minimum_age");
    if (minimum_age_ < 0) bad("minimum_age", minimum_age_, ">= 0");
    midpoint_sigma_ = positive(querier, "midpoint_sigma");
    if (querier.has_tag("axis_sigma")) axis_sigma_ = positive(querier, "axis_sigma") * M_PI / 180.0;
    if (querier.read_optional("minimum_elongation", minimum_elongation_) && !(minimum_elongation_ > 1.0))
        bad("minimum_elongation", minimum_elongation_, "a number > 1");
    const bool growth = querier.has_tag("area_growth"), spread = querier.has_tag("area_sigma");
    if (growth != spread)
        throw util::Exception("division_model: area_growth and area_sigma go together, " +
                              std::string(growth ? "area_sigma" : "area_growth") + " is missing");
    if (growth) {
        area_growth_ = positive(querier, "area_growth");
        area_sigma_ = positive(querier, "area_sigma");
    }
}

std::optional<double> DivisionModel::log_likelihood(const Mother& mother, const Cell& a, const Cell& b,
                                                    int dimension) const {
    if (mother.age && *mother.age < minimum_age_) return std::nullopt;
    double score = std::log(division_probability_);

    // ln N_n(m; p, s^2) = -n/2 ln(2 pi s^2) - 1/2 |m - p|^2 / s^2
    const nmrc::Vector<3> miss = 0.5 * (a.position + b.position) - mother.predicted;
    const double miss2 = miss[0] * miss[0] + miss[1] * miss[1] + miss[2] * miss[2];
    const double variance = midpoint_sigma_ * midpoint_sigma_ + mother.extra_variance;
    if (miss2 > midpoint_gate * midpoint_gate * variance) return std::nullopt;
    score -= 0.5 * dimension * std::log(2.0 * M_PI * variance) + 0.5 * miss2 / variance;

    if (axis_sigma_ && mother.shape && mother.shape->elongation() >= minimum_elongation_) {
        // ln(pi N(d; 0, sigma^2)) = ln(pi / (sqrt(2 pi) sigma)) - 1/2 (d / sigma)^2
        const double split = std::atan2(a.position[1] - b.position[1], a.position[0] - b.position[0]);
        const double z = axis_angle(split, mother.shape->orientation) / *axis_sigma_;
        score += std::log(M_PI / (std::sqrt(2.0 * M_PI) * *axis_sigma_)) - 0.5 * z * z;
    }
    if (area_growth_ && mother.shape && a.shape && b.shape && mother.shape->area > 0) {
        const double share = 0.5 * *area_growth_ * mother.shape->area;
        for (const Cell* daughter : {&a, &b}) {
            const double z = std::log(std::max(daughter->shape->area, 1.0) / share) / area_sigma_;
            score -= 0.5 * z * z;
        }
    }
    return score;
}

}  // namespace lineage
