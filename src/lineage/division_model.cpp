#include "lineage/division_model.h"

#include <algorithm>
#include <cmath>

namespace lineage {

namespace {

// Angle between two directions taken as axes (either sense), in [0, pi/2].
double axis_angle(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), M_PI);
    return std::min(d, M_PI - d);
}

}  // namespace

DivisionModel::DivisionModel(const DivisionParameters& parameters)
    : p_(DivisionParameters::schema().validate(parameters)), axis_sigma_(parameters.axis_sigma * M_PI / 180.0) {}

std::optional<double> DivisionModel::log_likelihood(const Mother& mother, const Cell& a, const Cell& b,
                                                    int dimension) const {
    if (mother.age && *mother.age < p_.minimum_age) return std::nullopt;
    double score = std::log(p_.division_probability);

    // ln N_n(m; p, s^2) = -n/2 ln(2 pi s^2) - 1/2 |m - p|^2 / s^2
    const nmrc::Vector<3> miss = 0.5 * (a.position + b.position) - mother.predicted;
    const double miss2 = miss[0] * miss[0] + miss[1] * miss[1] + miss[2] * miss[2];
    const double variance = p_.midpoint_sigma * p_.midpoint_sigma + mother.extra_variance;
    if (miss2 > midpoint_gate * midpoint_gate * variance) return std::nullopt;
    score -= 0.5 * dimension * std::log(2.0 * M_PI * variance) + 0.5 * miss2 / variance;

    if (axis_sigma_ > 0.0 && mother.shape && mother.shape->elongation() >= p_.minimum_elongation) {
        // ln(pi N(d; 0, sigma^2)) = ln(pi / (sqrt(2 pi) sigma)) - 1/2 (d / sigma)^2
        const double split = std::atan2(a.position[1] - b.position[1], a.position[0] - b.position[0]);
        const double z = axis_angle(split, mother.shape->orientation) / axis_sigma_;
        score += std::log(M_PI / (std::sqrt(2.0 * M_PI) * axis_sigma_)) - 0.5 * z * z;
    }
    if (p_.area_growth > 0.0 && mother.shape && a.shape && b.shape && mother.shape->area > 0) {
        const double share = 0.5 * p_.area_growth * mother.shape->area;
        for (const Cell* daughter : {&a, &b}) {
            const double z = std::log(std::max(daughter->shape->area, 1.0) / share) / p_.area_sigma;
            score -= 0.5 * z * z;
        }
    }
    return score;
}

}  // namespace lineage
