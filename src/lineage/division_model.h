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
// With m the daughters' midpoint, p the mother's prediction, v the extra
// variance of a prediction across a gap, s^2 = midpoint_sigma^2 + v, n the
// dimension and d the angle between the line through the daughters and the
// mother's long axis (in [0, pi/2]):
//   ln L = ln(division_probability) + ln N_n(m; p, s^2)
//        + ln(pi N(d; 0, axis_sigma^2))     (elongated mothers: the angle's
//                                            density against a uniform one)
//        - 1/2 sum_i (ln(a_i / (area_growth a_m / 2)) / area_sigma)^2
//                                           (areas, when all three are known)
class DivisionModel {
public:
    static constexpr double midpoint_gate = 4.0;

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

    // ln L in `dimension` (2 or 3) dimensions; none when the mother is
    // younger than minimum_age or the midpoint lies more than
    // midpoint_gate standard deviations from her prediction.
    std::optional<double> log_likelihood(const Mother& mother, const Cell& a, const Cell& b, int dimension) const;

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
