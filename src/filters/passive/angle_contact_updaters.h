#pragma once
#include "filters/filter_schema.h"
#include "tracker/filter.h"

namespace ostrel {

// The three ways of folding a spherical or angle measurement (a Model of
// angle_measurement_models.h) into the track's PositionVelocityEstimateState<3>.
// The estimate must already hold at the contact's time (a predictor runs
// first). Each reads "gate": a squared Mahalanobis distance, or "infinity".

// Converted measurement: the contact becomes a Cartesian position estimate
// (p, Cp) and the position Kalman update runs with R = Cp. If d^2 >= gate the
// hypothesis is rejected; otherwise ln p is scored and the estimate, at the
// contact's time, replaces the old one.
template <class Model>
class ConvertedKfContactUpdater : public Filter {
public:
    using Parameters = GateParameters;
    static const config::Schema<Parameters>& schema();

    explicit ConvertedKfContactUpdater(const Parameters& parameters) : gate_(schema().validate(parameters).gate) {}
    explicit ConvertedKfContactUpdater(const xml::Querier& querier) : ConvertedKfContactUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
};

// Extended Kalman update: the measurement model h(Delta) is linearised at the
// track's mean. A track straight above the sensor (horizontal range 0) has no
// bearing Jacobian: the hypothesis is rejected and nothing is scored or
// inserted. Otherwise d^2 >= gate rejects it, and ln p is added and the
// updated estimate inserted.
template <class Model>
class EkfContactUpdater : public Filter {
public:
    using Parameters = GateParameters;
    static const config::Schema<Parameters>& schema();

    explicit EkfContactUpdater(const Parameters& parameters) : gate_(schema().validate(parameters).gate) {}
    explicit EkfContactUpdater(const xml::Querier& querier) : EkfContactUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
};

// Iterated update with one relinearisation: the converted-measurement update
// gives x1, the model is linearised at x1 and the prior (x, P) is updated with
// nu = z - h(x1) - H1 (x - x1). Scoring, gating and the horizontal-range-0
// rule (at x1) are those of the extended update.
template <class Model>
class IekfContactUpdater : public Filter {
public:
    using Parameters = GateParameters;
    static const config::Schema<Parameters>& schema();

    explicit IekfContactUpdater(const Parameters& parameters) : gate_(schema().validate(parameters).gate) {}
    explicit IekfContactUpdater(const xml::Querier& querier) : IekfContactUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
};

struct RadarMeasurementModel;
struct RangeThetaPhiMeasurementModel;
struct ThetaPhiMeasurementModel;
struct EsmMeasurementModel;

extern template class ConvertedKfContactUpdater<RadarMeasurementModel>;
extern template class ConvertedKfContactUpdater<RangeThetaPhiMeasurementModel>;
extern template class ConvertedKfContactUpdater<ThetaPhiMeasurementModel>;
extern template class ConvertedKfContactUpdater<EsmMeasurementModel>;
extern template class EkfContactUpdater<RadarMeasurementModel>;
extern template class EkfContactUpdater<RangeThetaPhiMeasurementModel>;
extern template class EkfContactUpdater<ThetaPhiMeasurementModel>;
extern template class EkfContactUpdater<EsmMeasurementModel>;
extern template class IekfContactUpdater<RadarMeasurementModel>;
extern template class IekfContactUpdater<RangeThetaPhiMeasurementModel>;
extern template class IekfContactUpdater<ThetaPhiMeasurementModel>;
extern template class IekfContactUpdater<EsmMeasurementModel>;

}  // namespace ostrel
