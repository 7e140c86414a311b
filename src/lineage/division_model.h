#pragma once
#include <optional>

#include "lineage/cell_shape.h"
#include "numerics/vector.h"
#include "xml/querier.h"

namespace lineage {

// How likely it is that a mother cell divided into two given cells, as a
// log-likelihood: the prior chance of a division in one frame plus the fit
// of the daughters to the mother.
//
// Element "division_model":
//   "division_probability"  chance that a cell divides in a given frame, in
//                           (0, 1): about 1 / (cell cycle in frames);
//   "minimum_age"           frames from a cell's birth before it can divide
//                           again (>= 0; only applies to cells whose birth
//                           was seen);
//   "midpoint_sigma"        pixels (> 0): how far the daughters' midpoint
//                           strays from where the mother was predicted;
//   "axis_sigma"            optional, degrees (> 0): how far the line
//                           through the daughters strays from the mother's
//                           long axis; used for mothers elongated at least
//                           "minimum_elongation" (optional, > 1, default
//                           1.5) times;
//   "area_growth", "area_sigma"  optional, together (> 0 each): the
//                           daughters' areas together are area_growth times
//                           the mother's last area, each about half of it,
//                           with a relative spread of area_sigma (1 for
//                           cells that split their body in two; nuclei that
//                           grow back at once, about 2).
//
// Fit, with m the daughters' midpoint, p the mother's prediction and v the
// extra variance of a prediction across a gap:
//   -1/2 |m - p|^2 / (midpoint_sigma^2 + v)
//   -1/2 (angle(d1 - d2, mother's axis) / axis_sigma)^2           (rods)
//   -1/2 sum_i (ln(a_i / (area_growth a_m / 2)) / area_sigma)^2   (areas)
class DivisionModel {
public:
    explicit DivisionModel(const xml::Querier& querier);

    struct Cell {
        nmrc::Vector<3> position;
        std::optional<CellShape> shape;
    };
    struct Mother {
        nmrc::Vector<3> predicted;     // where she would be in the daughters' frame
        double extra_variance = 0.0;   // pixels^2 added by frames she went unseen
        std::optional<CellShape> shape;
        std::optional<int> age;        // frames since her birth, when seen
    };

    // ln(division_probability) plus the fit; none when the mother is younger
    // than minimum_age.
    std::optional<double> log_likelihood(const Mother& mother, const Cell& a, const Cell& b) const;

    double division_probability() const { return division_probability_; }

private:
    double division_probability_ = 0.0;
    int minimum_age_ = 0;
    double midpoint_sigma_ = 0.0;
    std::optional<double> axis_sigma_;  // radians
    double minimum_elongation_ = 1.5;
    std::optional<double> area_growth_;
    double area_sigma_ = 0.0;
};

}  // namespace lineage
