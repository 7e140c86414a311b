#pragma once
#include <string>

#include "config/schema.h"
#include "model/state.h"
#include "numerics/symmetric_matrix.h"

namespace pltr {

// A covariance for display (N = 2, 3). Key "plotter_covariance_state_" + N +
// "d"; child "covariance" holding the full N x N matrix row by row (the
// entries on and below the diagonal are kept on reading).
template <int N>
class PlotterCovarianceState : public state::StateTemplate<PlotterCovarianceState<N>> {
public:
    static const std::string& key();

    explicit PlotterCovarianceState(const nmrc::SymmetricMatrix<N>& covariance)
        : covariance(covariance) {}
    // What the element holds.
    struct Form {
        nmrc::SymmetricMatrix<N> covariance;
    };
    static const config::Schema<Form>& schema();

    explicit PlotterCovarianceState(const Form& form) : covariance(form.covariance) {}
    explicit PlotterCovarianceState(const xml::Querier& querier) : PlotterCovarianceState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const nmrc::SymmetricMatrix<N> covariance;
};

extern template class PlotterCovarianceState<2>;
extern template class PlotterCovarianceState<3>;

}  // namespace pltr
