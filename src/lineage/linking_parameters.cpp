#include "lineage/linking_parameters.h"

#include <cmath>

namespace lineage {

namespace {

// A chance of an event that may or may not happen: 0 and 1 are excluded,
// since the scores take the logarithms of both p and 1 - p.
config::Check<double> open_probability() {
    return {"between 0 and 1 (exclusive)", [](const double& p) { return p > 0.0 && p < 1.0; }, {}};
}

config::Schema<LinkingParameters> linking_schema(const char* key) {
    using P = LinkingParameters;
    return config::Schema<P>(key,
                             "decides divisions and closes gaps after the tracker: links the tracks that start to "
                             "the tracks that ended or go on beside them, by one assignment per window of frames")
        .optional(&P::window, "window",
                  "frames held back before a frame's links are committed, so that later starts compete",
                  config::in_range(0, 100))
        .optional(&P::maximum_gap, "maximum_gap", "frames a cell may go unseen and still be found again",
                  config::non_negative<int>())
        .required(&P::search_radius, "search_radius",
                  "pixels: the farthest a cell found again, or a daughter, starts from her track's prediction",
                  config::positive_finite())
        .required(&P::motion_sigma, "motion_sigma",
                  "pixels: how far a cell strays in one frame from its track's prediction", config::positive_finite())
        .optional(&P::detection_probability, "detection_probability",
                  "chance that the segmentation finds a cell in a frame", open_probability())
        .optional(&P::end_probability, "end_probability",
                  "chance that a track ends for good in a given frame (the cell leaves or dies)", open_probability())
        .required(&P::appearance_rate, "appearance_rate",
                  "cells appearing per frame in the whole field (entering, or found for the first time)",
                  config::positive_finite())
        .optional(&P::field_area, "field_area",
                  "pixels (voxels in 3-D) of the field cells appear in; 0: that of the frames' segmentation",
                  config::non_negative_finite())
        .nested(&P::division_model, DivisionParameters::schema(), "how likely a mother divided into two cells")
        .rule(
            "window", "at least maximum_gap", [](const P& p) { return p.window >= p.maximum_gap; },
            [](const P& p) { return std::to_string(p.window); })
        .rule(
            "end_probability", "below 1 - division_probability",
            [](const P& p) { return p.end_probability + p.division_model.division_probability < 1.0; },
            [](const P& p) { return config::quote(p.end_probability); });
}

}  // namespace

const config::Schema<DivisionParameters>& DivisionParameters::schema() {
    using P = DivisionParameters;
    static const auto schema =
        config::Schema<P>("division_model",
                          "a division's log-likelihood: its prior, the daughters' midpoint about the mother's "
                          "prediction, the split along her long axis and the daughters' areas")
            .required(&P::division_probability, "division_probability",
                      "chance that a cell divides in a given frame: about 1 / (cell cycle in frames)",
                      open_probability())
            .required(&P::minimum_age, "minimum_age", "frames from a cell's birth before it can divide again",
                      config::non_negative<int>())
            .required(&P::midpoint_sigma, "midpoint_sigma",
                      "pixels: how far the daughters' midpoint strays from the mother's prediction",
                      config::positive_finite())
            .optional(&P::axis_sigma, "axis_sigma",
                      "degrees the line through the daughters strays from the mother's long axis (0: not weighed)",
                      config::in_range(0.0, 90.0))
            .optional(&P::minimum_elongation, "minimum_elongation",
                      "long over short axis from which the mother's long axis is weighed", config::at_least(1.0))
            .optional(&P::area_growth, "area_growth",
                      "the daughters' areas together over the mother's last area (0: areas not weighed)",
                      config::non_negative_finite())
            .optional(&P::area_sigma, "area_sigma", "relative spread of each daughter's area about half of that",
                      config::non_negative_finite())
            .rule(
                "area_sigma", "positive exactly when area_growth is",
                [](const P& p) { return (p.area_growth > 0.0) == (p.area_sigma > 0.0); },
                [](const P& p) { return config::quote(p.area_sigma); });
    return schema;
}

const config::Schema<LinkingParameters>& LinkingParameters::schema(int dimension) {
    static const auto planar = linking_schema("lineage_linker");
    static const auto spatial = linking_schema("lineage_linker_3d");
    return dimension == 3 ? spatial : planar;
}

}  // namespace lineage
