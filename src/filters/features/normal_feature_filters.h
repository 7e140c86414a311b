#pragma once
#include <string>

#include "config/schema.h"
#include "numerics/vector.h"
#include "tracker/filter.h"

namespace ostrel {

// Filters of a Gaussian segment feature held as a State with fields `time`
// and `estimate` (a Normal<N>): the RGB colour (N = 3) and the size (N = 1)
// of a segmented object. The contact carries the measured feature in a
// state of the same kind.

// Starts the track's feature as the contact's, adding b: the log-density of
// a feature uniform over its whole range (b = 0 when "use_score" is "false").
template <class Feature>
class NormalFeatureInitializer : public Filter {
public:
    struct Parameters {
        std::string use_score = "true";  // only the exact text "false" turns scoring off
    };
    static const config::Schema<Parameters>& schema();

    NormalFeatureInitializer(const Parameters& parameters, double uniform_log_density);
    NormalFeatureInitializer(const xml::Querier& querier, double uniform_log_density)
        : NormalFeatureInitializer(schema().bind(querier), uniform_log_density) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double score_;
};

// Random walk: dt = (time of the contact's TimeState) - (feature time), never
// negative; the mean is unchanged and each variance P(i, i) grows by
// dt q_i, q = "process_noise"; off-diagonal entries are unchanged.
template <class Feature, int N>
class NormalFeaturePredictor : public Filter {
public:
    struct Parameters {
        nmrc::Vector<N> process_noise;
    };
    static const config::Schema<Parameters>& schema();

    explicit NormalFeaturePredictor(const Parameters& parameters);
    explicit NormalFeaturePredictor(const xml::Querier& querier) : NormalFeaturePredictor(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const nmrc::Vector<N> process_noise_;
};

// Kalman update by the contact's feature (z, R) of the track's (x, P):
// nu = z - x, S = P + R, K = P S^{-1}, x' = x + K nu, P' = P - K P at the
// contact feature's time; d^2 = nu^T S^{-1} nu,
// ln p = -(N/2) ln(2 pi) - d^2 / 2 - ln det S / 2. d^2 >= "gate" rejects the
// hypothesis; ln p is scored only when "use_score" is not "false"; the new
// feature is inserted in every case.
template <class Feature, int N>
class NormalFeatureUpdater : public Filter {
public:
    struct Parameters {
        double gate = 0;
        std::string use_score = "true";  // only the exact text "false" turns scoring off
    };
    static const config::Schema<Parameters>& schema();

    explicit NormalFeatureUpdater(const Parameters& parameters);
    explicit NormalFeatureUpdater(const xml::Querier& querier) : NormalFeatureUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
    const bool use_score_;
};

}  // namespace ostrel
