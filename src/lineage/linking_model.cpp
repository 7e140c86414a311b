#include "lineage/linking_model.h"

#include <cmath>
#include <sstream>

#include "util/exception.h"

namespace lineage {

namespace {

const char* const owner = "lineage_linker";

[[noreturn]] void bad(const std::string& name, double value, const std::string& rule) {
    std::ostringstream message;
    message << owner << ": " << name << " must be " << rule << ", " << name << " = " << value;
    throw util::Exception(message.str());
}

double probability(const xml::Querier& q, const std::string& name) {
    const double value = q.read<double>(name);
    if (!(value > 0.0 && value < 1.0)) bad(name, value, "between 0 and 1 (exclusive)");
    return value;
}

double positive(const xml::Querier& q, const std::string& name) {
    const double value = q.read<double>(name);
    if (!(value > 0.0) || !std::isfinite(value)) bad(name, value, "a number > 0");
    return value;
}

double squared_distance(const nmrc::Vector<3>& a, const nmrc::Vector<3>& b) {
    const nmrc::Vector<3> d = a - b;
    return d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
}

xml::Querier division_element(const xml::Querier& querier) {
    xml::Querier element;
    if (!querier.find_tag("division_model", element))
        throw util::Exception(std::string(owner) + ": the division_model element is missing");
    return element;
}

}  // namespace

LinkingModel::LinkingModel(const xml::Querier& querier, int dimension)
    : dimension_(dimension), division_model_(division_element(querier)) {
    window_ = querier.read<int>("window");
    maximum_gap_ = querier.read<int>("maximum_gap");
    if (maximum_gap_ < 0) bad("maximum_gap", maximum_gap_, ">= 0");
    if (window_ < maximum_gap_ || window_ > 100)
        bad("window", window_, "from maximum_gap (" + std::to_string(maximum_gap_) + ") to 100");
    search_radius_ = positive(querier, "search_radius");
    const double sigma = positive(querier, "motion_sigma");
    motion_variance_ = sigma * sigma;
    log_miss_ = std::log1p(-probability(querier, "detection_probability"));
    end_ = probability(querier, "end_probability");
    if (!(end_ + division_model_.division_probability() < 1.0))
        bad("end_probability", end_, "below 1 - division_probability");
    appearance_rate_ = positive(querier, "appearance_rate");
    double field = 0.0;
    if (querier.read_optional("field_area", field)) {
        if (!(field > 0.0) || !std::isfinite(field)) bad("field_area", field, "a number > 0");
        set_field(field);
    }
    // V = pi R^2 in 2-D, 4/3 pi R^3 in 3-D; ln(2^(1-n) / V)
    const double volume = dimension_ == 2 ? M_PI * search_radius_ * search_radius_
                                          : 4.0 / 3.0 * M_PI * std::pow(search_radius_, 3);
    log_separation_ = (1 - dimension_) * std::log(2.0) - std::log(volume);
}

void LinkingModel::set_field(double area) {
    if (!(area > 0.0)) bad("field_area", area, "a number > 0");
    log_appearance_ = std::log(appearance_rate_) - std::log(area);
}

double LinkingModel::log_appearance() const {
    if (!log_appearance_)
        throw util::Exception(std::string(owner) +
                              ": the field's size is unknown: the frames hold no segmentation, so "
                              "field_area must be configured");
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
