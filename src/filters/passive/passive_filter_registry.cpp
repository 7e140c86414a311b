#include "filters/passive/passive_filter_registry.h"

#include "filters/passive/angle_contact_updater_kinds.h"
#include "filters/passive/emission_platform_filters.h"
#include "filters/passive/esm_mode_filters.h"
#include "filters/passive/esm_platform_contact_updater.h"
#include "filters/passive/esm_position_filters.h"
#include "filters/passive/esm_waveform_filters.h"
#include "filters/passive/gps_platform_filters.h"
#include "filters/passive/gps_position_velocity_filters.h"
#include "filters/passive/passive_platform_type_coast.h"
#include "filters/passive/platform_type_distribution_inserter.h"
#include "filters/passive/spherical_position_velocity_initializer.h"

namespace ostrel {

namespace {

std::vector<FilterKey> all_keys() {
    return {
        filter_entry<SphericalPositionVelocityInitializer>("spherical_position_velocity_initializer"),
        filter_entry<SphericalPositionVelocityInitializer>("radar_position_velocity_initializer"),
        filter_entry<RadarPositionVelocityEkfContactUpdater>("radar_position_velocity_ekf_contact_updater"),
        filter_entry<RadarPositionVelocityKfContactUpdater>("radar_position_velocity_kf_contact_updater"),
        filter_entry<RadarPositionVelocityIekfContactUpdater>(
            "radar_position_velocity_iekf_contact_updater"),
        filter_entry<RangeThetaPhiPositionVelocityEkfContactUpdater>(
            "range_theta_phi_position_velocity_ekf_contact_updater"),
        filter_entry<RangeThetaPhiPositionVelocityKfContactUpdater>(
            "range_theta_phi_position_velocity_kf_contact_updater"),
        filter_entry<RangeThetaPhiPositionVelocityIekfContactUpdater>(
            "range_theta_phi_position_velocity_iekf_contact_updater"),
        filter_entry<GpsPositionVelocityInitializer<3>>("gps_position_velocity_3d_initializer"),
        filter_entry<GpsPositionVelocityContactUpdater<3>>("gps_position_velocity_3d_contact_updater"),
        filter_entry<GpsPlatformContactUpdater<3>>("gps_3d_platform_contact_udpater"),
        filter_entry<EsmModeInitializer>("esm_mode_initializer"),
        filter_entry<EsmModeContactUpdater>("esm_mode_contact_updater"),
        filter_entry<EsmWaveformContactUpdater>("esm_waveform_contact_updater"),
        filter_entry<EsmPositionVelocityInitializer>("esm_position_velocity_initializer"),
        filter_entry<EsmEstimateStateInitializer>("esm_estimate_state_initializer"),
        filter_entry<EsmPositionVelocityEkfContactUpdater>("esm_position_velocity_ekf_contact_updater"),
        filter_entry<EsmPositionVelocityKfContactUpdater>("esm_position_velocity_kf_contact_updater"),
        filter_entry<EsmPositionVelocityIekfInitializer>("esm_position_velocity_iekf_initializer"),
        filter_entry<ThetaPhiPositionVelocityEkfContactUpdater>(
            "theta_phi_position_velocity_ekf_contact_updater"),
        filter_entry<ThetaPhiPositionVelocityKfContactUpdater>(
            "theta_phi_position_velocity_kf_contact_updater"),
        filter_entry<ThetaPhiPositionVelocityIekfContactUpdater>(
            "theta_phi_position_velocity_iekf_contact_updater"),
        filter_entry<EsmPlatformContactUpdater>("esm_platform_contact_updater"),
        filter_entry<EsmWaveformModeContactUpdater>("esm_waveform_mode_contact_updater"),
        filter_entry<EsmHomogenizedPositionContactUpdater>("esm_homogenized_position_contact_updater"),
        filter_entry<PlatformTypeDistributionInserter>("platform_type_distribution_inserter"),
        filter_entry<EmissionRadarEmissionPlatformTypeContactUpdaterAndGater>(
            "emission_radar_emission_platform_type_contact_updater_and_gater"),
        filter_entry<EmissionRadarEmissionPlatformTypeCoastUpdaterAndGater>(
            "emission_radar_emission_platform_type_coast_updater_and_gater"),
        filter_entry<GpsContactUpdaterAndGater>("gps_contact_updater_and_gater"),
        filter_entry<PassivePlatformTypeSensorCoastUpdaterAndGater>(
            "passive_platform_type_sensor_coast_updater_and_gater"),
    };
}

}  // namespace

const std::vector<FilterKey>& passive_filter_keys() {
    static const std::vector<FilterKey> keys = all_keys();
    return keys;
}

void register_passive_filters(FilterFactory& factory) {
    register_filter_keys(factory, passive_filter_keys());
}

}  // namespace ostrel
