#pragma once
#include <optional>
#include <string>

#include "lineage/division_model.h"
#include "lineage/track_history.h"
#include "lineage/linking_parameters.h"

namespace lineage {

// The scores the lineage linker weighs: each is the log-likelihood ratio of
// a link against leaving its pieces unlinked, where a track that starts is a
// cell that appeared (entered the field, or was found by the segmentation
// for the first time) and a track that ends is a cell that left or died.
// Parameters: LinkingParameters.
//
// With n the dimension, s = motion_sigma, g the frames a track went unseen,
// q the appearance density (appearance_rate / field_area), N_n the normal
// density, V the volume of the search ball and L the division model's
// likelihood (the daughters' half-separation taken as uniform over the
// ball, hence 2^(1-n) / V for the unordered pair):
//   found again:   (g+1) ln(1 - end) + g ln(1 - Pd) + ln N_n(d; s^2 (g+1))
//                  - ln(end) - ln q
//   divided:       g ln(1 - end) + g ln(1 - Pd) + ln L + ln(2^(1-n) / V)
//                  - ln(end) - 2 ln q
// A track that goes on in the next frame is "found again" there with g = 0:
// cutting it (when its continuation may be a daughter) costs that score.
class LinkingModel {
public:
    LinkingModel(const LinkingParameters& parameters, int dimension);

    int window() const { return window_; }
    int maximum_gap() const { return maximum_gap_; }

    // Whether the field's size is known (configured or already given).
    bool knows_field() const { return log_appearance_.has_value(); }
    // The size of the field the frames show, used unless "field_area" was
    // configured; ignored unless > 0.
    void set_field(double area);

    // A track predicted at `end` found again at `start`.
    std::optional<double> found_again(const Prediction& end, const Sighting& start) const;

    // The mother (predicted at `mother`, with her last shape and age)
    // divided into a and b, her track having ended.
    std::optional<double> division(const Prediction& mother, const DivisionModel::Mother& facts, const Sighting& a,
                                   const Sighting& b) const;

    // Whether `to` lies within the search radius of the prediction.
    bool within_reach(const Prediction& from, const Sighting& to) const;

private:
    double log_normal(const nmrc::Vector<3>& a, const nmrc::Vector<3>& b, double variance) const;
    double log_appearance() const;
    std::optional<double> division_fit(const Prediction& mother, DivisionModel::Mother facts, const Sighting& a,
                                       const Sighting& b) const;

    int dimension_ = 2;
    int window_ = 0;
    int maximum_gap_ = 0;
    double search_radius_ = 0.0;
    double motion_variance_ = 0.0;
    double log_miss_ = 0.0;          // ln(1 - Pd)
    double end_ = 0.0;
    double appearance_rate_ = 0.0;
    std::optional<double> log_appearance_;  // ln q
    double log_separation_ = 0.0;    // ln(2^(1-n) / V)
    DivisionModel division_model_;
};

}  // namespace lineage
