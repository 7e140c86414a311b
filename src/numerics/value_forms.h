#pragma once
#include <string>

#include "config/check.h"
#include "config/value_form.h"
#include "numerics/cholesky.h"
#include "numerics/dynamic_vector.h"
#include "numerics/symmetric_matrix.h"
#include "numerics/vector.h"

// How vectors and symmetric matrices appear in a configuration, for the
// parameter schemas.
namespace config {

// N numbers separated by blanks; entries are "name[i]".
template <int N>
struct ValueForm<nmrc::Vector<N>> {
    using Entry = double;
    static std::string form() { return N == 1 ? "a number" : "a vector of " + std::to_string(N) + " numbers"; }
    static void read(const xml::Querier& element, nmrc::Vector<N>& value) { element.text(value); }
    static std::string show(const nmrc::Vector<N>& value) { return quote(value); }
    template <class Visit>
    static void each(const nmrc::Vector<N>& value, Visit visit) {
        for (int i = 0; i < N; ++i)
            if (!visit("[" + std::to_string(i) + "]", value[i])) return;
    }
};

// The full N x N matrix row by row; only the entries on and below the
// diagonal are used, and they are the entries checks visit ("name(i, j)").
template <int N>
struct ValueForm<nmrc::SymmetricMatrix<N>> {
    using Entry = double;
    static std::string form() {
        return "a symmetric " + std::to_string(N) + " x " + std::to_string(N) + " matrix (" +
               std::to_string(N * N) + " numbers, row by row)";
    }
    static void read(const xml::Querier& element, nmrc::SymmetricMatrix<N>& value) { element.text(value); }
    static std::string show(const nmrc::SymmetricMatrix<N>& value) { return quote(value); }
    template <class Visit>
    static void each(const nmrc::SymmetricMatrix<N>& value, Visit visit) {
        for (int i = 0; i < N; ++i)
            for (int j = 0; j <= i; ++j)
                if (!visit("(" + std::to_string(i) + ", " + std::to_string(j) + ")", value(i, j))) return;
    }
};

// Any count of numbers separated by blanks; the count sizes the vector.
template <>
struct ValueForm<nmrc::DynamicVector> {
    using Entry = double;
    static std::string form() { return "a list of numbers"; }
    static void read(const xml::Querier& element, nmrc::DynamicVector& value);
    static std::string show(const nmrc::DynamicVector& value) { return value.empty() ? "" : quote(value); }
    template <class Visit>
    static void each(const nmrc::DynamicVector& value, Visit visit) {
        for (int i = 0; i < value.size(); ++i)
            if (!visit("[" + std::to_string(i) + "]", value[i])) return;
    }
};

// Every entry finite: corners, centres and axes of bounded shapes.
template <int N>
Check<nmrc::Vector<N>> all_finite() {
    return {"finite", [](const nmrc::Vector<N>& v) {
                for (int i = 0; i < N; ++i)
                    if (!std::isfinite(v[i])) return false;
                return true;
            },
            {}};
}

// A covariance that a Cholesky factor exists for.
template <int N>
Check<nmrc::SymmetricMatrix<N>> positive_definite() {
    return {"positive definite",
            [](const nmrc::SymmetricMatrix<N>& m) {
                try {
                    nmrc::CholeskyDecomposition<N> factor(m);
                    return true;
                } catch (const util::Exception&) {
                    return false;
                }
            },
            {}};
}

}  // namespace config
