#include "filters/passive/angle_contact_updaters.h"

#include <optional>

#include "filters/passive/angle_measurement_models.h"
#include "filters/passive/linearized_update.h"
#include "filters/passive/spherical_geometry.h"
#include "filters/position_innovation.h"
#include "model/states/position_velocity_estimate_state.h"

namespace ostrel {

namespace {

using Estimate = state::PositionVelocityEstimateState<3>;

// h(x) and H = dh/dx (position columns from the spherical Jacobian, velocity
// columns zero) for the components the model measures.
template <int M>
struct MeasurementLinearization {
    nmrc::Vector<M> h;
    nmrc::Matrix<M, 6> jacobian;
};

template <class Model>
std::optional<MeasurementLinearization<Model::size>> linearize(const nmrc::Vector<6>& mean,
                                                               const nmrc::Vector<3>& sensor) {
    // Delta = target position - sensor position
    const auto full = linearize_spherical(mean.segment<3>(0) - sensor);
    if (!full) return std::nullopt;
    MeasurementLinearization<Model::size> lin;
    for (int k = 0; k < Model::size; ++k) {
        const int c = Model::components[k];
        lin.h[k] = full->value[c];
        for (int j = 0; j < 3; ++j) lin.jacobian(k, j) = full->jacobian(c, j);
    }
    return lin;
}

template <class Model>
nmrc::Vector<Model::size> wrap(nmrc::Vector<Model::size> nu) {
    for (int k = 0; k < Model::size; ++k)
        if (Model::components[k] == 1) nu[k] = wrap_bearing(nu[k]);
    return nu;
}

// The scoring and gating shared by the extended and iterated updates.
template <int M>
void apply(const LinearizedUpdate<M, 6>& update, double time, double gate, TrackState& track) {
    if (update.score().mahalanobis_squared >= gate) track.gates = false;
    track.log_likelihood += update.score().log_density;
    track.states.insert(std::make_shared<const Estimate>(update.posterior(), time));
}

}  // namespace

template <class Model>
const config::Schema<GateParameters>& ConvertedKfContactUpdater<Model>::schema() {
    static const auto schema = gate_schema("converted_measurement_contact_updater", "updates the track with the measurement converted to a Cartesian position");
    return schema;
}

template <class Model>
void ConvertedKfContactUpdater<Model>::update(const state::CompositeState& contact,
                                              TrackState& track) const {
    const auto& x = track.states.get<Estimate>();
    const double time = Model::measure(contact).time;
    // z = p, R = Cp; H selects the position
    const PositionInnovation<3, 6> innovation(x.estimate, Model::converted_position(contact));
    if (innovation.score().mahalanobis_squared >= gate_) {
        track.gates = false;
        return;
    }
    track.log_likelihood += innovation.score().log_density;
    track.states.insert(std::make_shared<const Estimate>(innovation.posterior(), time));
}

template <class Model>
const config::Schema<GateParameters>& EkfContactUpdater<Model>::schema() {
    static const auto schema = gate_schema("ekf_contact_updater", "updates the track with the measurement by an extended Kalman update");
    return schema;
}

template <class Model>
void EkfContactUpdater<Model>::update(const state::CompositeState& contact,
                                      TrackState& track) const {
    const auto m = Model::measure(contact);
    const auto& x = track.states.get<Estimate>();
    const auto lin = linearize<Model>(x.estimate.mean, m.sensor);
    if (!lin) {
        track.gates = false;  // horizontal range 0: no bearing Jacobian
        return;
    }
    // nu = z - h(x), bearing wrapped
    const nmrc::Vector<Model::size> nu = wrap<Model>(m.z - lin->h);
    apply(LinearizedUpdate<Model::size, 6>(x.estimate, lin->jacobian, nu, m.noise), m.time, gate_,
          track);
}

template <class Model>
const config::Schema<GateParameters>& IekfContactUpdater<Model>::schema() {
    static const auto schema = gate_schema("iekf_contact_updater", "updates the track with the measurement by an iterated extended Kalman update");
    return schema;
}

template <class Model>
void IekfContactUpdater<Model>::update(const state::CompositeState& contact,
                                       TrackState& track) const {
    const auto m = Model::measure(contact);
    const auto& x = track.states.get<Estimate>();
    // x1: the converted-measurement position update of the prior
    const nmrc::Vector<6> x1 =
        PositionInnovation<3, 6>(x.estimate, Model::converted_position(contact)).posterior().mean;
    const auto lin = linearize<Model>(x1, m.sensor);
    if (!lin) {
        track.gates = false;  // horizontal range 0 at x1: no bearing Jacobian
        return;
    }
    // nu = z - h(x1) - H1 (x - x1), bearing wrapped
    const nmrc::Vector<Model::size> nu =
        wrap<Model>(m.z - lin->h - lin->jacobian * (x.estimate.mean - x1));
    apply(LinearizedUpdate<Model::size, 6>(x.estimate, lin->jacobian, nu, m.noise), m.time, gate_,
          track);
}

template class ConvertedKfContactUpdater<RadarMeasurementModel>;
template class ConvertedKfContactUpdater<RangeThetaPhiMeasurementModel>;
template class ConvertedKfContactUpdater<ThetaPhiMeasurementModel>;
template class ConvertedKfContactUpdater<EsmMeasurementModel>;
template class EkfContactUpdater<RadarMeasurementModel>;
template class EkfContactUpdater<RangeThetaPhiMeasurementModel>;
template class EkfContactUpdater<ThetaPhiMeasurementModel>;
template class EkfContactUpdater<EsmMeasurementModel>;
template class IekfContactUpdater<RadarMeasurementModel>;
template class IekfContactUpdater<RangeThetaPhiMeasurementModel>;
template class IekfContactUpdater<ThetaPhiMeasurementModel>;
template class IekfContactUpdater<EsmMeasurementModel>;

}  // namespace ostrel
