#pragma once
#include <cstdint>

#include "config/parameterless.h"
#include "tracker/filter.h"

namespace ostrel {

// m-of-n confirmation. The track's MofNState counts m contacts in n scans
// (contact or coast passes) since the track began.

// Key "m_of_n_initializer": MofNState(1, 1).
class MofNInitializer : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    MofNInitializer() = default;
    explicit MofNInitializer(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

// Key "m_of_n_contact_updater": MofNState(m + 1, n + 1).
class MofNContactUpdater : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    MofNContactUpdater() = default;
    explicit MofNContactUpdater(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

// Key "m_of_n_coast_updater": MofNState(m, n + 1).
class MofNCoastUpdater : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    MofNCoastUpdater() = default;
    explicit MofNCoastUpdater(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

// Key "m_of_n_confirmer"; parameters "m", "n", "confirmation_reward",
// "continuation_reward". A track reaching m contacts within its first n scans
// is confirmed once (ConfirmedState, + ln confirmation_reward); every later
// pass of a confirmed track adds ln continuation_reward.
class MofNConfirmer : public Filter {
public:
    struct Parameters {
        std::int32_t m = 1;
        std::int32_t n = 1;
        double confirmation_reward = 1;
        double continuation_reward = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit MofNConfirmer(const Parameters& parameters);
    explicit MofNConfirmer(const xml::Querier& querier) : MofNConfirmer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const std::int32_t m_;
    const std::int32_t n_;
    const double log_confirmation_reward_;
    const double log_continuation_reward_;
};

// Key "m_of_n_gater"; parameters "filter", "m", "n". Rejects a track whose
// remaining scans can no longer bring m contacts within n, else runs the
// inner filter. A track past its n scans without m contacts should have been
// rejected earlier: meeting one fails with "MofNGater".
class MofNGater : public Filter {
public:
    struct Parameters {
        FilterPtr filter;
        std::int32_t m = 1;
        std::int32_t n = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit MofNGater(const Parameters& parameters);
    explicit MofNGater(const xml::Querier& querier) : MofNGater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const FilterPtr inner_;
    const std::int32_t m_;
    const std::int32_t n_;
};

}  // namespace ostrel
