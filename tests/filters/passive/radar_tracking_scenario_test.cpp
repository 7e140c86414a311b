// A moving target seen by a 3-D radar, tracked end to end by the filter
// definer and the multiple hypothesis tracker with the radar filters.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "filters/filter_registry.h"
#include "filters/passive/passive_filter_registry.h"
#include "model/composite_state_frame.h"
#include "model/contacts/spherical_contact.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/sensor_type_state.h"
#include "model/states/time_state.h"
#include "model/track_label_state.h"
#include "numerics/cholesky.h"
#include "support/recorder.h"
#include "tracker/filter_definer.h"
#include "tracker/multiple_hypothesis_tracker.h"
#include "tracker/track_report_frame.h"

namespace {

constexpr int kScans = 12;
constexpr double kRangeSigma = 10.0;   // m
constexpr double kAngleSigma = 0.003;  // rad, about 15 m across at 5 km

nmrc::Vector<3> truth(int scan) {
    return nmrc::Vector<3>{3000, 4000, 500} + nmrc::Vector<3>{-20, 10, 0} * static_cast<double>(scan);
}

const char* const definer_config = R"(
<filter_definer>
  <terminator><composite><time_previous_time_updater/><death_score_inserter><death_rate>0.01</death_rate></death_score_inserter></composite></terminator>
  <zombie_coaster><no_op/></zombie_coaster>
  <filters>
    <radar>
      <initializer><composite>
        <birth_initializer><death_rate>0.01</death_rate><birth_rate>0.001</birth_rate><nominal_dt>1</nominal_dt></birth_initializer>
        <time_previous_time_initializer/>
        <radar_position_velocity_initializer><prior_velocity_covariance>900 0 0 0 900 0 0 0 100</prior_velocity_covariance></radar_position_velocity_initializer>
      </composite></initializer>
      <updater><composite>
        <time_previous_time_updater/>
        <life_score_inserter><death_rate>0.01</death_rate></life_score_inserter>
        <nearly_constant_velocity_3d_predictor><process_noise>1 1 1</process_noise></nearly_constant_velocity_3d_predictor>
        <radar_position_velocity_ekf_contact_updater><gate>25</gate></radar_position_velocity_ekf_contact_updater>
      </composite></updater>
      <continuation_updater><bad_op/></continuation_updater>
      <coaster><composite>
        <time_previous_time_updater/>
        <life_score_inserter><death_rate>0.01</death_rate></life_score_inserter>
        <nearly_constant_velocity_3d_predictor><process_noise>1 1 1</process_noise></nearly_constant_velocity_3d_predictor>
        <infinite_footprint_missed_detection_score_inserter><detection_probability>0.9</detection_probability></infinite_footprint_missed_detection_score_inserter>
      </composite></coaster>
    </radar>
  </filters>
</filter_definer>)";

void register_all_filters() {
    ostrel::FilterFactory& factory = ostrel::filter_factory();
    for (const ostrel::FilterKey& k : ostrel::filter_keys()) factory.registerize(k.key, k.creator);
    for (const ostrel::FilterKey& k : ostrel::passive_filter_keys()) factory.registerize(k.key, k.creator);
}

nmrc::SymmetricMatrix<3> position_covariance(const state::PositionVelocityEstimateState<3>& e) {
    nmrc::SymmetricMatrix<3> p;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j) p(i, j) = e.estimate.covariance(i, j);
    return p;
}

cmpnt::FramePtr radar_frame(int scan, int& next_id, std::mt19937& random) {
    std::normal_distribution<double> unit(0.0, 1.0);
    const nmrc::Vector<3> d = truth(scan);  // the sensor is at the origin
    const double r = nmrc::norm(d);
    const nmrc::Vector<3> measured{r + kRangeSigma * unit(random),
                                   std::atan2(d[0], d[1]) + kAngleSigma * unit(random),
                                   std::asin(d[2] / r) + kAngleSigma * unit(random)};
    auto frame = std::make_shared<frame::CompositeStateFrame>(scan);
    frame->meta_data->insert(std::make_shared<const snsr::SensorTypeState>("radar"));
    frame->meta_data->insert(std::make_shared<const state::TimeState>(scan));
    auto contact = std::make_shared<state::CompositeState>();
    contact->insert(std::make_shared<const state::TimeState>(scan));
    contact->insert(std::make_shared<const state::TrackLabelState>(state::Label{0, next_id++}));
    contact->insert(std::make_shared<const ostrel::SphericalContact>(
        nmrc::Vector<3>{0, 0, 0}, measured, nmrc::Vector<3>{kRangeSigma, kAngleSigma, kAngleSigma},
        scan));
    frame->composite_states.push_back(contact);
    return frame;
}

TEST(RadarTrackingScenario, OneTrackFollowsTheTargetWithinTheMeasurementNoise) {
    register_all_filters();
    auto definer = std::make_shared<ostrel::FilterDefiner>(xml::Querier::parse(
        std::string("\n") + definer_config));
    auto tracker = std::make_shared<ostrel::MultipleHypothesisTracker>(xml::Querier::parse(
        "\n<multiple_hypothesis_tracker><assignment_algorithm>optimal</assignment_algorithm>"
        "<nscan>2</nscan></multiple_hypothesis_tracker>"));
    auto recorder = std::make_shared<test_support::Recorder>();
    definer->insert_child(tracker);
    tracker->insert_child(recorder);

    std::mt19937 random(11);
    int next_id = 0;
    for (int scan = 0; scan < kScans; ++scan) definer->push_frame(radar_frame(scan, next_id, random));
    definer->push_frame(nullptr);
    ASSERT_EQ(recorder->frames.size(), kScans + 1u);

    // The position noise of one measurement at this range: per axis across
    // the beam, and as a radius (range and both angles).
    const double cross_range = nmrc::norm(truth(0)) * kAngleSigma;
    const double noise_radius = std::sqrt(kRangeSigma * kRangeSigma + 2 * cross_range * cross_range);
    std::set<std::int32_t> track_ids;
    double squared_error = 0, squared_velocity_error = 0, squared_distance = 0;
    int settled = 0;
    for (int scan = 0; scan < kScans; ++scan) {
        SCOPED_TRACE(scan);
        const auto& out = recorder->frames[scan]->cast<frame::TrackReportFrame>();
        ASSERT_EQ(out.track_reports.size(), 1u);
        const auto& track = *out.track_reports[0]->track_state;
        track_ids.insert(track.label.id);
        const auto& estimate = track.states.get<state::PositionVelocityEstimateState<3>>();
        EXPECT_EQ(estimate.time, scan);
        if (scan < 4) continue;  // a few scans to settle
        const double error = nmrc::norm(estimate.position() - truth(scan));
        EXPECT_LT(error, 2 * noise_radius);
        squared_error += error * error;
        // ~ chi-square with 3 degrees of freedom when the covariance is honest
        squared_distance += nmrc::CholeskyDecomposition<3>(position_covariance(estimate))
                                .mahalanobis(estimate.position() - truth(scan));
        squared_velocity_error += std::pow(nmrc::norm(estimate.velocity() - nmrc::Vector<3>{-20, 10, 0}), 2);
        ++settled;
    }
    // Once settled the track is closer to the target than one measurement
    // is, its velocity is right, and its covariance is honest: the mean
    // squared Mahalanobis distance to the truth is near 3, not many times it.
    EXPECT_LT(std::sqrt(squared_error / settled), noise_radius);
    EXPECT_LT(std::sqrt(squared_velocity_error / settled), 10.0);
    EXPECT_LT(squared_distance / settled, 9.0);
    EXPECT_EQ(track_ids.size(), 1u);  // one track throughout
}

}  // namespace
