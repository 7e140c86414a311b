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

LinkingModel::LinkingModel(const xml::Querier& querier) : division_model_(division_element(querier)) {
    window_ = querier.read<int>("window");
    maximum_gap_ = querier.read<int>("maximum_gap");
    if (maximum_gap_ < 0) bad("maximum_gap", maximum_gap_, ">= 0");
    if (window_ < maximum_gap_ || window_ > 100)
        bad("window", window_, "from maximum_gap (" + std::to_string(maximum_gap_) + ") to 100");
    search_radius_ = positive(querier, "search_radius");
    const double sigma = positive(querier, "motion_sigma");
    motion_variance_ = sigma * sigma;
    log_miss_ = std::log1p(-probability(querier, "detection_probability"));
    const double end = probability(querier, "end_probability");
    log_end_ = std::log(end);
    end_odds_ = std::log1p(-end) - log_end_;
    const double appearance = probability(querier, "appearance_probability");
    appearance_odds_ = std::log1p(-appearance) - std::log(appearance);
}

bool LinkingModel::within_reach(const Prediction& from, const Sighting& to) const {
    return squared_distance(from.position, to.position) <= search_radius_ * search_radius_;
}

std::optional<double> LinkingModel::found_again(const Prediction& end, const Sighting& start) const {
    if (end.unseen > maximum_gap_ || !within_reach(end, start)) return std::nullopt;
    // A + E + g ln(1 - Pd) - 1/2 d^2 / (s^2 (g + 1))
    const double variance = motion_variance_ * (end.unseen + 1);
    return appearance_odds_ + end_odds_ + end.unseen * log_miss_ -
           0.5 * squared_distance(end.position, start.position) / variance;
}

std::optional<double> LinkingModel::division_fit(const Prediction& mother, DivisionModel::Mother facts,
                                                 const Sighting& a, const Sighting& b) const {
    if (mother.unseen > maximum_gap_ || !within_reach(mother, a) || !within_reach(mother, b)) return std::nullopt;
    facts.predicted = mother.position;
    facts.extra_variance = motion_variance_ * mother.unseen;
    return division_model_.log_likelihood(facts, {a.position, a.shape}, {b.position, b.shape});
}

std::optional<double> LinkingModel::division(const Prediction& mother, const DivisionModel::Mother& facts,
                                             const Sighting& a, const Sighting& b) const {
    const auto fit = division_fit(mother, facts, a, b);
    if (!fit) return std::nullopt;
    // 2 A - ln(end) + g ln(1 - Pd) + ln L
    return 2.0 * appearance_odds_ - log_end_ + mother.unseen * log_miss_ + *fit;
}

std::optional<double> LinkingModel::continued_division(const Prediction& mother, const DivisionModel::Mother& facts,
                                                       const Sighting& continuation, const Sighting& sister) const {
    if (mother.unseen != 0) return std::nullopt;
    const auto fit = division_fit(mother, facts, continuation, sister);
    if (!fit) return std::nullopt;
    // A - ln(1 - P) + ln L + 1/2 d^2 / s^2
    return appearance_odds_ - std::log1p(-division_model_.division_probability()) + *fit +
           0.5 * squared_distance(mother.position, continuation.position) / motion_variance_;
}

}  // namespace lineage
