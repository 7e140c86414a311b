#pragma once
#include <memory>

#include "config/schema.h"
#include "filters/passive/platform_mode_library.h"
#include "numerics/dynamic_vector.h"
#include "tracker/filter.h"

namespace ostrel {

// Key "esm_mode_initializer": starts the track's EsmModeState. When built,
// the mode prior gives each mode index (up to the largest that
// "platform_esm_mode_library" lists) the summed prior probability, from
// "prior_platform_type_distribution", of every platform type that lists it,
// normalised to sum one.
// update: m = prior x (contact's mode_distribution), entry by entry;
// e = sum m, the probability of the intercept; ln e is scored and m / e
// inserted. An intercept that no mode can explain (e = 0) makes the
// hypothesis inadmissible instead of dividing by zero.
class EsmModeInitializer : public Filter {
public:
    struct Parameters {
        nmrc::DynamicVector prior_platform_type_distribution;
        std::shared_ptr<const PlatformModeLibrary> platform_esm_mode_library;
    };
    static const config::Schema<Parameters>& schema();

    explicit EsmModeInitializer(const Parameters& parameters);
    explicit EsmModeInitializer(const xml::Querier& querier) : EsmModeInitializer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

    const nmrc::DynamicVector& mode_prior() const { return mode_prior_; }

private:
    const nmrc::DynamicVector mode_prior_;
};

// Key "esm_mode_contact_updater": Bayes' rule on the track's EsmModeState:
// m = (track's mode probabilities) x (contact's mode_distribution);
// e = sum m. If e <= "gate" (a number, not negative) the hypothesis is
// rejected and nothing inserted; otherwise ln e is scored and m / e replaces
// the old belief.
class EsmModeContactUpdater : public Filter {
public:
    struct Parameters {
        double gate = 0;
    };
    static const config::Schema<Parameters>& schema();

    explicit EsmModeContactUpdater(const Parameters& parameters) : gate_(schema().validate(parameters).gate) {}
    explicit EsmModeContactUpdater(const xml::Querier& querier) : EsmModeContactUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
};

}  // namespace ostrel
