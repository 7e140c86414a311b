#include "filters/passive/passive_parameters.h"

#include <cmath>
#include <sstream>

#include "util/exception.h"

namespace ostrel {

std::vector<config::Check<double>> probability_gate(const std::string& negative_message) {
    return {{"non-negative", [](const double& x) { return !(x < 0.0); }, negative_message},
            config::a_number().says("{element} is not a number: {entry} = {value}")};
}

config::Check<double> probability_floor() {
    return config::non_negative<double>().says("{element} must be a non-negative number: {entry} = {value}");
}

config::Check<double> probability_entry() {
    return config::non_negative_finite().says(
        "{element} must hold finite non-negative probabilities: {entry} = {value}");
}

config::Check<nmrc::DynamicVector> not_empty() {
    return {"at least one number", [](const nmrc::DynamicVector& v) { return !v.empty(); },
            "nmrc::Vector::read called on empty Vector"};
}

std::vector<int> read_index_list(const xml::Querier& list) {
    std::vector<int> indices;
    const std::vector<xml::Querier> children = list.tags();
    if (!children.empty()) {
        for (const xml::Querier& child : children) {
            int index = 0;
            child.text(index);
            indices.push_back(index);
        }
        return indices;
    }
    std::istringstream words(list.raw_text());
    for (std::string word; words >> word;) {
        int index = 0;
        try {
            xml::from_string(word, index);
        } catch (...) {
            throw util::Exception("unable to convert text from tag = " + list.name());
        }
        indices.push_back(index);
    }
    return indices;
}

void check_index(int index, int length, const std::string& what, const std::string& vector,
                 const std::string& owner) {
    if (index >= 0 && index < length) return;
    throw util::Exception(what + " " + std::to_string(index) + " is outside " + vector +
                          " of length " + std::to_string(length) + " in " + owner);
}

void check_same_length(int la, const std::string& a, int lb, const std::string& b,
                       const std::string& owner) {
    if (la == lb) return;
    throw util::Exception("size mismatch in " + owner + ": " + a + " has " + std::to_string(la) +
                          " entries, " + b + " has " + std::to_string(lb));
}

nmrc::Normal<6> position_velocity_start(const nmrc::Normal<3>& position,
                                        const nmrc::SymmetricMatrix<3>& prior) {
    nmrc::Normal<6> start;
    // x = (p, 0); P = [[Cp, 0], [0, prior]]
    start.mean.set_segment(0, position.mean);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j) {
            start.covariance(i, j) = position.covariance(i, j);
            start.covariance(3 + i, 3 + j) = prior(i, j);
        }
    return start;
}

}  // namespace ostrel
