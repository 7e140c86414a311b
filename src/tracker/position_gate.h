#pragma once
#include <array>
#include <vector>

#include "model/composite_state.h"

namespace ostrel {

class TrackState;

// Positions have at most three axes.
constexpr int kMaxGateAxes = 3;
using GateAxes = std::array<double, kMaxGateAxes>;

// A contact's position and its variance per axis, as a position gate reads
// them.
struct GatePoint {
    GateAxes position{};
    GateAxes variance{};
};

// An axis-aligned box of positions (the unused axes are ignored).
struct GateBox {
    GateAxes low{};
    GateAxes high{};
};

// A filter whose admission of a contact is decided by a gate on the
// contact's position. The tracker uses it to index the contacts of a frame
// by position and give the full filter pass only to those that can pass the
// gate of a hypothesis.
//
// Contract: for a track state `track` and any contact whose point is read by
// `gate_point` with variances no larger than `variance_bound`, if the
// contact's position lies outside the box given by `gate_box`, the filter's
// pass on that contact and a copy of `track` ends with gates false and
// throws nothing. Contacts that `gate_point` cannot read always get the full
// pass.
class PositionGate {
public:
    // Number of position axes (2 or 3).
    virtual int gate_axes() const = 0;
    // False when the contact holds no position of the gate's kind, or one
    // that is not finite or whose covariance is not positive definite.
    virtual bool gate_point(const state::CompositeState& contact, GatePoint& point) const = 0;
    // False when no bound can be given for this track state (no estimate,
    // an estimate that is not finite or not positive definite, an infinite
    // gate).
    virtual bool gate_box(const TrackState& track, const GateAxes& variance_bound,
                          GateBox& box) const = 0;
    // The squared distance the gate compares with its threshold, for a
    // contact that `gate_point` reads and a track state for which `gate_box`
    // gave a bound; contacts at or beyond the threshold never pass.
    virtual double gate_distance(const state::CompositeState& contact,
                                 const TrackState& track) const = 0;
    // gate_distance of each contact against one track state, in order:
    // `distances` gets one entry per contact. A gate may look the track's
    // estimate up once for all of them.
    virtual void gate_distances(const std::vector<const state::CompositeState*>& contacts, const TrackState& track,
                                std::vector<double>& distances) const {
        distances.clear();
        for (const state::CompositeState* contact : contacts) distances.push_back(gate_distance(*contact, track));
    }
    // The gate's threshold.
    virtual double gate_threshold() const = 0;

protected:
    ~PositionGate() = default;
};

}  // namespace ostrel
