#pragma once
#include <memory>

#include "config/schema.h"
#include "model/plotter/plotter_covariance_state.h"
#include "model/plotter/plotter_point_state.h"
#include "simulation/simulator.h"

namespace pltr {

// Reads the accessor's source state and inserts its point as a
// PlotterPointState of the accessor's dimension, in place of any earlier
// one. A composite without the source state fails with "State::cast()".
// The accessor reads its own configuration (x_axis and y_axis for the
// projecting ones).
template <class Accessor>
class PlotterPointCreator : public smltr::Simulator {
public:
    using Source = typename Accessor::Source;

    using Parameters = typename Accessor::Parameters;
    static const config::Schema<Parameters>& schema() { return Accessor::schema(); }

    explicit PlotterPointCreator(const Parameters& parameters) : accessor_(parameters) {}
    explicit PlotterPointCreator(const xml::Querier& querier) : accessor_(schema().bind(querier)) {}
    explicit PlotterPointCreator(Accessor accessor) : accessor_(std::move(accessor)) {}

    void simulate(state::CompositeState& target) override {
        const Source& source = target.get<Source>();
        target.insert(
            std::make_shared<const PlotterPointState<Accessor::dimension>>(accessor_.point(source)));
    }

private:
    Accessor accessor_;
};

// The same for the accessor's 2 x 2 covariance, as a PlotterCovarianceState<2>.
template <class Accessor>
class PlotterCovarianceCreator : public smltr::Simulator {
    static_assert(Accessor::dimension == 2, "plotter covariances are 2 x 2");

public:
    using Source = typename Accessor::Source;

    using Parameters = typename Accessor::Parameters;
    static const config::Schema<Parameters>& schema() { return Accessor::schema(); }

    explicit PlotterCovarianceCreator(const Parameters& parameters) : accessor_(parameters) {}
    explicit PlotterCovarianceCreator(const xml::Querier& querier) : accessor_(schema().bind(querier)) {}
    explicit PlotterCovarianceCreator(Accessor accessor) : accessor_(std::move(accessor)) {}

    void simulate(state::CompositeState& target) override {
        const Source& source = target.get<Source>();
        target.insert(std::make_shared<const PlotterCovarianceState<2>>(accessor_.covariance(source)));
    }

private:
    Accessor accessor_;
};

}  // namespace pltr
