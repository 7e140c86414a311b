#pragma once
#include <string>

#include "filters/passive/esm_waveform_states.h"
#include "model/contacts/esm_contact.h"

namespace ostrel {

// How well an intercepted waveform fits a waveform belief, and the belief
// after taking it in.
struct WaveformFit {
    double mahalanobis_squared = 0;  // summed over the features already known
    double log_density = 0;          // ln of the waveform's predictive density
    WaveformBelief posterior;
};

// Folds the features of `waveform` one by one into `prior` (fixed features,
// independent Gaussian measurement errors):
// - a feature whose id the belief knows (mean x, variance P) measured as z
//   with variance R: nu = z - x, S = P + R, d^2 += nu^2 / S,
//   ln p += -ln(2 pi S) / 2 - nu^2 / (2 S), K = P / S, x' = x + K nu,
//   P' = (1 - K) P;
// - a new feature is adopted as measured; having no prediction, it is scored
//   by a density uniform over its support, ln p += -ln(support).
// A non-positive S or support fails, naming the feature and `owner`.
WaveformFit fit_waveform(WaveformBelief prior, const EsmWaveformContact& waveform,
                         const std::string& owner);

}  // namespace ostrel
