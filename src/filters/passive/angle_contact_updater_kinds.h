#pragma once
#include "filters/passive/angle_contact_updaters.h"

namespace ostrel {

// The keyed angle updaters: one measurement model per contact kind, each
// with its converted (KF), extended (EKF) and iterated (IEKF) update.

#define OSTREL_ANGLE_UPDATER(Name, Base, Model) \
    class Name : public Base<Model> {          \
    public:                                    \
        using Base<Model>::Base;               \
    }

// "radar_position_velocity_{kf,ekf,iekf}_contact_updater": SphericalContact.
OSTREL_ANGLE_UPDATER(RadarPositionVelocityKfContactUpdater, ConvertedKfContactUpdater,
                     RadarMeasurementModel);
OSTREL_ANGLE_UPDATER(RadarPositionVelocityEkfContactUpdater, EkfContactUpdater,
                     RadarMeasurementModel);
OSTREL_ANGLE_UPDATER(RadarPositionVelocityIekfContactUpdater, IekfContactUpdater,
                     RadarMeasurementModel);

// "range_theta_phi_position_velocity_{kf,ekf,iekf}_contact_updater":
// RangeThetaPhiEstimateState.
OSTREL_ANGLE_UPDATER(RangeThetaPhiPositionVelocityKfContactUpdater, ConvertedKfContactUpdater,
                     RangeThetaPhiMeasurementModel);
OSTREL_ANGLE_UPDATER(RangeThetaPhiPositionVelocityEkfContactUpdater, EkfContactUpdater,
                     RangeThetaPhiMeasurementModel);
OSTREL_ANGLE_UPDATER(RangeThetaPhiPositionVelocityIekfContactUpdater, IekfContactUpdater,
                     RangeThetaPhiMeasurementModel);

// "theta_phi_position_velocity_{kf,ekf,iekf}_contact_updater":
// ThetaPhiEstimateState.
OSTREL_ANGLE_UPDATER(ThetaPhiPositionVelocityKfContactUpdater, ConvertedKfContactUpdater,
                     ThetaPhiMeasurementModel);
OSTREL_ANGLE_UPDATER(ThetaPhiPositionVelocityEkfContactUpdater, EkfContactUpdater,
                     ThetaPhiMeasurementModel);
OSTREL_ANGLE_UPDATER(ThetaPhiPositionVelocityIekfContactUpdater, IekfContactUpdater,
                     ThetaPhiMeasurementModel);

// "esm_position_velocity_{kf,ekf}_contact_updater" and, despite its name, the
// iterated contact updater "esm_position_velocity_iekf_initializer":
// EsmContact (range pseudo-measurement and bearing).
OSTREL_ANGLE_UPDATER(EsmPositionVelocityKfContactUpdater, ConvertedKfContactUpdater,
                     EsmMeasurementModel);
OSTREL_ANGLE_UPDATER(EsmPositionVelocityEkfContactUpdater, EkfContactUpdater,
                     EsmMeasurementModel);
OSTREL_ANGLE_UPDATER(EsmPositionVelocityIekfInitializer, IekfContactUpdater, EsmMeasurementModel);

#undef OSTREL_ANGLE_UPDATER

}  // namespace ostrel
