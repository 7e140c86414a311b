#include "filters/passive/passive_parameters.h"

#include <cmath>
#include <sstream>

#include "filters/filter_parameters.h"
#include "model/states/dynamic_vector_xml.h"
#include "util/exception.h"

namespace ostrel {

nmrc::SymmetricMatrix<3> read_prior_velocity_covariance(const xml::Querier& querier) {
    const auto prior = querier.read<nmrc::SymmetricMatrix<3>>("prior_velocity_covariance");
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j) {
            const double value = prior(i, j);
            if (std::isfinite(value) && (i != j || value >= 0.0)) continue;
            throw util::Exception(
                "prior_velocity_covariance must hold finite entries and non-negative variances: "
                "prior_velocity_covariance(" +
                std::to_string(i) + ", " + std::to_string(j) + ") = " + number_text(value));
        }
    return prior;
}

double read_non_negative_gate(const xml::Querier& querier, const std::string& negative_message) {
    const double gate = querier.read<double>("gate");
    if (gate < 0.0) throw util::Exception(negative_message);
    if (std::isnan(gate)) throw util::Exception("gate is not a number: gate = " + number_text(gate));
    return gate;
}

double read_probability_floor(const xml::Querier& querier, const std::string& key) {
    const double floor = querier.read<double>(key);
    if (!(floor >= 0.0))
        throw util::Exception(key + " must be a non-negative number: " + key + " = " +
                              number_text(floor));
    return floor;
}

nmrc::DynamicVector read_probabilities(const xml::Querier& querier, const std::string& key) {
    const nmrc::DynamicVector p = state::read_dynamic_vector(querier.tag(key));
    for (int i = 0; i < p.size(); ++i) {
        if (std::isfinite(p[i]) && p[i] >= 0.0) continue;
        throw util::Exception(key + " must hold finite non-negative probabilities: " + key + "[" +
                              std::to_string(i) + "] = " + number_text(p[i]));
    }
    return p;
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
