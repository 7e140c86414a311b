#include "filters/features/feature_filter_registry.h"
#include "filters/passive/passive_filter_registry.h"
#include "filters/filter_registry.h"

#include "filters/birth_initializer.h"
#include "filters/estimate_metrics.h"
#include "filters/footprint_gater.h"
#include "filters/gaters.h"
#include "filters/kinematic_initializers.h"
#include "filters/life_death_scores.h"
#include "filters/m_of_n.h"
#include "filters/missed_detection_count.h"
#include "filters/missed_detection_scores.h"
#include "filters/mou_predictor.h"
#include "filters/nearly_constant_position_predictor.h"
#include "filters/nearly_constant_velocity_predictor.h"
#include "filters/position_contact_updaters.h"
#include "filters/str_m_of_n.h"
#include "filters/tail_gater.h"
#include "filters/time_bookkeeping.h"
#include "tracker/structural_filters.h"

namespace ostrel {

namespace {

std::vector<FilterKey> all_keys() {
    return {
        // Structural filters.
        filter_entry<NoOp>("no_op"),
        {"bad_op", &create_bad_op, &config::declare_schema_of<BadOp>},
        filter_entry<CompositeFilter>("composite"),

        // Track life scoring.
        filter_entry<LifeScoreInserter>("life_score_inserter"),
        filter_entry<DeathScoreInserter>("death_score_inserter"),
        filter_entry<MissedDetectionScoreInserter>("missed_detection_score_inserter"),
        filter_entry<InfiniteFootprintMissedDetectionScoreInserter>(
            "infinite_footprint_missed_detection_score_inserter"),
        filter_entry<BirthInitializer>("birth_initializer"),
        filter_entry<ConfirmedKiller>("confirmed_killer"),

        // Kinematic filters.
        filter_entry<PositionPositionVelocityInitializer<2>>("position_position_velocity_2d_initializer"),
        filter_entry<PositionPositionVelocityInitializer<3>>("position_position_velocity_3d_initializer"),
        filter_entry<PositionPositionInitializer<2>>("position_position_2d_initializer"),
        filter_entry<PositionPositionInitializer<3>>("position_position_3d_initializer"),
        filter_entry<PositionPositionVelocityContactUpdaterAndGater<2>>(
            "position_position_velocity_2d_contact_updater_and_gater"),
        filter_entry<PositionPositionVelocityContactUpdaterAndGater<3>>(
            "position_position_velocity_3d_contact_updater_and_gater"),
        filter_entry<PositionPositionContactUpdaterAndGater<2>>(
            "position_position_2d_contact_updater_and_gater"),
        filter_entry<PositionPositionContactUpdaterAndGater<3>>(
            "position_position_3d_contact_updater_and_gater"),
        filter_entry<NearlyConstantVelocityPredictor<2>>("nearly_constant_velocity_2d_predictor"),
        filter_entry<NearlyConstantVelocityPredictor<3>>("nearly_constant_velocity_3d_predictor"),
        filter_entry<MouPredictor<2>>("mou_2d_predictor"),
        filter_entry<MouPredictor<3>>("mou_3d_predictor"),
        filter_entry<MouSteadyStateInitializer<2>>("mou_steady_state_2d_initializer"),
        filter_entry<MouSteadyStateInitializer<3>>("mou_steady_state_3d_initializer"),
        filter_entry<PositionVelocityPositionVelocityContactUpdater<3>>(
            "position_velocity_position_velocity_3d_contact_updater"),
        filter_entry<NearlyConstantPositionPredictor<2>>("nearly_constant_position_2d_predictor"),
        filter_entry<NearlyConstantPositionPredictor<3>>("nearly_constant_position_3d_predictor"),
        filter_entry<PositionVelocityPositionVelocityEstimateDistanceMetric<2>>(
            "position_velocity_position_velocity_estimate_distance_metric_2d"),
        filter_entry<PositionVelocityPositionVelocityEstimateMahalanobisMetric<2>>(
            "position_velocity_position_velocity_estimate_mahalanobis_metric_2d"),

        // Track management.
        filter_entry<MissedDetectionCountZeroer>("missed_detection_count_zeroer"),
        filter_entry<MissedDetectionCountIncrementer>("missed_detection_count_incrementer"),
        filter_entry<MaximumMissedDetectionGater>("maximum_missed_detection_gater"),
        filter_entry<MaximumCoastTimeGater>("maximum_coast_time_gater"),
        filter_entry<LastContactTimeInitializer>("last_contact_time_initializer"),
        filter_entry<MofNInitializer>("m_of_n_initializer"),
        filter_entry<MofNCoastUpdater>("m_of_n_coast_updater"),
        filter_entry<MofNContactUpdater>("m_of_n_contact_updater"),
        filter_entry<MofNConfirmer>("m_of_n_confirmer"),
        filter_entry<MofNGater>("m_of_n_gater"),
        filter_entry<str::StrMofNInitializer>("str_m_of_n_initializer"),
        filter_entry<str::StrMofNCoastUpdater>("str_m_of_n_coast_updater"),
        filter_entry<str::StrMofNContactUpdater>("str_m_of_n_contact_updater"),
        filter_entry<str::StrMofNConfirmer>("str_m_of_n_confirmer"),
        filter_entry<str::StrMofNGater>("str_m_of_n_gater"),
        filter_entry<TimePreviousTimeInitializer>("time_previous_time_initializer"),
        filter_entry<TimePreviousTimeUpdater>("time_previous_time_updater"),
        filter_entry<FootprintGater<2>>("footprint_gater_2d"),
        filter_entry<FootprintGater<3>>("footprint_gater_3d"),
        filter_entry<TailGaterInitializer>("tail_gater_initializer"),
        filter_entry<TailGaterUpdater>("tail_gater_updater"),
        filter_entry<GateGater>("gate_gater"),
    };
}

// The catalogue above, then the passive-sensor and platform filters, then
// the feature filters.
std::vector<FilterKey> every_key() {
    std::vector<FilterKey> keys = all_keys();
    for (const auto* group : {&passive_filter_keys(), &feature_filter_keys()})
        keys.insert(keys.end(), group->begin(), group->end());
    return keys;
}

}  // namespace

const std::vector<FilterKey>& filter_keys() {
    static const std::vector<FilterKey> keys = every_key();
    return keys;
}

void register_filter_keys(FilterFactory& factory, const std::vector<FilterKey>& keys) {
    for (const FilterKey& k : keys) {
        util::register_key(factory, k.key, k.creator);
        if (k.declare != nullptr) k.declare(k.key);
    }
}

void register_filters(FilterFactory& factory) { register_filter_keys(factory, filter_keys()); }

}  // namespace ostrel
