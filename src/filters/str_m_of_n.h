#pragma once
#include <cstdint>

#include "config/parameterless.h"
#include "tracker/filter.h"

namespace str {

// m-of-n confirmation with a third count: o, the contacts that carried a
// MinimumSpeedState (a detection of a target seen moving fast enough). The
// track's StrMofNState holds (m, n, o).

// Key "str_m_of_n_initializer": (1, 1, 1 if the contact is marked else 0).
class StrMofNInitializer : public ostrel::Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    StrMofNInitializer() = default;
    explicit StrMofNInitializer(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;
};

// Key "str_m_of_n_contact_updater": (m + 1, n + 1, o + 1 if marked else o).
class StrMofNContactUpdater : public ostrel::Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    StrMofNContactUpdater() = default;
    explicit StrMofNContactUpdater(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;
};

// Key "str_m_of_n_coast_updater": (m, n + 1, o).
class StrMofNCoastUpdater : public ostrel::Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    StrMofNCoastUpdater() = default;
    explicit StrMofNCoastUpdater(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;
};

// Key "str_m_of_n_confirmer"; parameters "m", "n", "o", "confirmation_reward",
// "continuation_reward": confirms a track with at least m contacts and o
// marked contacts within its first n scans; later passes add the
// continuation reward.
class StrMofNConfirmer : public ostrel::Filter {
public:
    struct Parameters {
        std::int32_t m = 1;
        std::int32_t n = 1;
        std::int32_t o = 0;
        double confirmation_reward = 1;
        double continuation_reward = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit StrMofNConfirmer(const Parameters& parameters);
    explicit StrMofNConfirmer(const xml::Querier& querier) : StrMofNConfirmer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;

private:
    const std::int32_t m_;
    const std::int32_t n_;
    const std::int32_t o_;
    const double log_confirmation_reward_;
    const double log_continuation_reward_;
};

// Key "str_m_of_n_gater"; parameters "m", "n", "o", "filter": within the
// first n scans, rejects a track whose remaining scans can no longer bring
// the missing contacts or marked contacts; otherwise runs the inner filter.
class StrMofNGater : public ostrel::Filter {
public:
    struct Parameters {
        std::int32_t m = 1;
        std::int32_t n = 1;
        std::int32_t o = 0;
        ostrel::FilterPtr filter;
    };
    static const config::Schema<Parameters>& schema();

    explicit StrMofNGater(const Parameters& parameters);
    explicit StrMofNGater(const xml::Querier& querier) : StrMofNGater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, ostrel::TrackState& track) const override;

private:
    const std::int32_t m_;
    const std::int32_t n_;
    const std::int32_t o_;
    const ostrel::FilterPtr inner_;
};

}  // namespace str
