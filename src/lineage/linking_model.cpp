#include "lineage/linking_model.h"

#include <cmath>
#include <string>

#include "util/exception.h"

namespace lineage {

namespace {

const char* const owner = "lineage_linker";

double squared_distance(const nmrc::Vector<3>& a, const nmrc::Vector<3>& b) {
    const nmrc::Vector<3> d = a - b;
    return d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
}

}  // namespace

LinkingModel::LinkingModel(const LinkingParameters& parameters, int dimension)
    : dimension_(dimension), division_model_(LinkingParameters::schema(dimension).validate(parameters).division_model) {
    window_ = parameters.window;
    maximum_gap_ = parameters.maximum_gap;
    search_radius_ = parameters.search_radius;
    motion_variance_ = parameters.motion_sigma * parameters.motion_sigma;
    log_miss_ = std::log1p(-parameters.detection_probability);
    end_ = parameters.end_probability;
    appearance_rate_ = parameters.appearance_rate;
    if (parameters.field_area > 0.0) set_field(parameters.field_area);
    // V = pi R^2 in 2-D, 4/3 pi R^3 in 3-D; ln(2^(1-n) / V)
    const double volume = dimension_ == 2 ? M_PI * search_radius_ * search_radius_
                                          : 4.0 / 3.0 * M_PI * std::pow(search_radius_, 3);
    log_separation_ = (1 - dimension_) * std::log(2.0) - std::log(volume);
}

void LinkingModel::set_field(double area) {
    if (area > 0.0) log_appearance_ = std::log(appearance_rate_) - std::log(area);
}

double LinkingModel::log_appearance() const {
    if (!log_appearance_) throw util::Exception(std::string(owner) + ": the field's size is unknown");
    return *log_appearance_;
}

bool LinkingModel::within_reach(const Prediction& from, const Sighting& to) const {
    return squared_distance(from.position, to.position) <= search_radius_ * search_radius_;
}

double LinkingModel::log_normal(const nmrc::Vector<3>& a, const nmrc::Vector<3>& b, double variance) const {
    // ln N_n(a; b, v) = -n/2 ln(2 pi v) - 1/2 |a - b|^2 / v
    return -0.5 * dimension_ * std::log(2.0 * M_PI * variance) - 0.5 * squared_distance(a, b) / variance;
}

std::optional<double> LinkingModel::found_again(const Prediction& end, const Sighting& start) const {
    if (end.unseen > maximum_gap_ || !within_reach(end, start)) return std::nullopt;
    const int g = end.unseen;
    return (g + 1) * std::log1p(-end_) + g * log_miss_ +
           log_normal(start.position, end.position, motion_variance_ * (g + 1)) - std::log(end_) -
           log_appearance();
}

std::optional<double> LinkingModel::division_fit(const Prediction& mother, DivisionModel::Mother facts,
                                                 const Sighting& a, const Sighting& b) const {
    if (mother.unseen > maximum_gap_ || !within_reach(mother, a) || !within_reach(mother, b)) return std::nullopt;
    facts.predicted = mother.position;
    facts.extra_variance = motion_variance_ * mother.unseen;
    const auto fit = division_model_.log_likelihood(facts, {a.position, a.shape}, {b.position, b.shape}, dimension_);
    if (!fit) return std::nullopt;
    return *fit + log_separation_;
}

std::optional<double> LinkingModel::division(const Prediction& mother, const DivisionModel::Mother& facts,
                                             const Sighting& a, const Sighting& b) const {
    const auto fit = division_fit(mother, facts, a, b);
    if (!fit) return std::nullopt;
    const int g = mother.unseen;
    return g * std::log1p(-end_) + g * log_miss_ + *fit - std::log(end_) - 2.0 * log_appearance();
}

}  // namespace lineage
