#pragma once
#include "config/schema.h"
#include "model/label.h"
#include "numerics/normal.h"
#include "numerics/value_forms.h"

// The schemas of the child elements several states share: a Gaussian
// "normal" and a "label".
namespace state {

// "normal" with "mean" (N numbers) and "covariance" (N x N row by row, the
// entries on and below the diagonal kept), every number finite: a
// non-finite estimate would pass unnoticed through gates and scores.
template <int N>
const config::Schema<nmrc::Normal<N>>& finite_normal_schema() {
    using P = nmrc::Normal<N>;
    static const auto schema = config::Schema<P>("normal", "a Gaussian: mean and covariance")
                                   .required(&P::mean, "mean", "the mean", config::finite_text())
                                   .required(&P::covariance, "covariance", "the covariance",
                                             config::finite_text());
    return schema;
}

// "normal" read as written, numbers unchecked (segment sizes).
template <int N>
const config::Schema<nmrc::Normal<N>>& normal_schema() {
    using P = nmrc::Normal<N>;
    static const auto schema = config::Schema<P>("normal", "a Gaussian: mean and covariance")
                                   .required(&P::mean, "mean", "the mean")
                                   .required(&P::covariance, "covariance", "the covariance");
    return schema;
}

// "label" with "src" (the issuing source) and "id" (its number).
const config::Schema<Label>& label_schema();

}  // namespace state
