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

template <class T>
FilterKey entry(const char* key) {
    return {key, &util::create<const Filter, T>};
}

std::vector<FilterKey> all_keys() {
    return {
        entry<SphericalPositionVelocityInitializer>("spherical_position_velocity_initializer"),
        entry<SphericalPositionVelocityInitializer>("radar_position_velocity_initializer"),
        entry<RadarPositionVelocityEkfContactUpdater>("radar_position_velocity_ekf_contact_updater"),
        entry<RadarPositionVelocityKfContactUpdater>("radar_position_velocity_kf_contact_updater"),
        entry<RadarPositionVelocityIekfContactUpdater>(
            "radar_position_velocity_iekf_contact_updater"),
        entry<RangeThetaPhiPositionVelocityEkfContactUpdater>(
            "range_theta_phi_position_velocity_ekf_contact_updater"),
        entry<RangeThetaPhiPositionVelocityKfContactUpdater>(
            "range_theta_phi_position_velocity_kf_contact_updater"),
        entry<RangeThetaPhiPositionVelocityIekfContactUpdater>(
            "range_theta_phi_position_velocity_iekf_contact_updater"),
        entry<GpsPositionVelocityInitializer<3>>("gps_position_velocity_3d_initializer"),
        entry<GpsPositionVelocityContactUpdater<3>>("gps_position_velocity_3d_contact_updater"),
        entry<GpsPlatformContactUpdater<3>>("gps_3d_platform_contact_udpater"),
        entry<EsmModeInitializer>("esm_mode_initializer"),
        entry<EsmModeContactUpdater>("esm_mode_contact_updater"),
        entry<EsmWaveformContactUpdater>("esm_waveform_contact_updater"),
        entry<EsmPositionVelocityInitializer>("esm_position_velocity_initializer"),
        entry<EsmEstimateStateInitializer>("esm_estimate_state_initializer"),
        entry<EsmPositionVelocityEkfContactUpdater>("esm_position_velocity_ekf_contact_updater"),
        entry<EsmPositionVelocityKfContactUpdater>("esm_position_velocity_kf_contact_updater"),
        entry<EsmPositionVelocityIekfInitializer>("esm_position_velocity_iekf_initializer"),
        entry<ThetaPhiPositionVelocityEkfContactUpdater>(
            "theta_phi_position_velocity_ekf_contact_updater"),
        entry<ThetaPhiPositionVelocityKfContactUpdater>(
            "theta_phi_position_velocity_kf_contact_updater"),
        entry<ThetaPhiPositionVelocityIekfContactUpdater>(
            "theta_phi_position_velocity_iekf_contact_updater"),
        entry<EsmPlatformContactUpdater>("esm_platform_contact_updater"),
        entry<EsmWaveformModeContactUpdater>("esm_waveform_mode_contact_updater"),
        entry<EsmHomogenizedPositionContactUpdater>("esm_homogenized_position_contact_updater"),
        entry<PlatformTypeDistributionInserter>("platform_type_distribution_inserter"),
        entry<EmissionRadarEmissionPlatformTypeContactUpdaterAndGater>(
            "emission_radar_emission_platform_type_contact_updater_and_gater"),
        entry<EmissionRadarEmissionPlatformTypeCoastUpdaterAndGater>(
            "emission_radar_emission_platform_type_coast_updater_and_gater"),
        entry<GpsContactUpdaterAndGater>("gps_contact_updater_and_gater"),
        entry<PassivePlatformTypeSensorCoastUpdaterAndGater>(
            "passive_platform_type_sensor_coast_updater_and_gater"),
    };
}

}  // namespace

const std::vector<FilterKey>& passive_filter_keys() {
    static const std::vector<FilterKey> keys = all_keys();
    return keys;
}

void register_passive_filters(FilterFactory& factory) {
    for (const FilterKey& k : passive_filter_keys()) util::register_key(factory, k.key, k.creator);
}

}  // namespace ostrel
