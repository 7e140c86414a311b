#pragma once
#include <optional>

#include "lineage/cell_shape.h"
#include "lineage/linking_parameters.h"
#include "numerics/vector.h"

namespace lineage {

// How likely it is that a mother cell divided into two given cells, as a
// log-likelihood: the prior chance of a division in one frame plus the fit
// of the daughters to the mother (parameters: DivisionParameters). A mother
// younger than minimum_age (when her birth was seen) is no mother.
//
// With m the daughters' midpoint, p the mother's prediction, v the extra
// variance of a prediction across a gap, s^2 = midpoint_sigma^2 + v, n the
// dimension and d the angle between the line through the daughters and the
// mother's long axis (in [0, pi/2]):
//   ln L = ln(division_probability) + ln N_n(m; p, s^2)
//        + ln(pi N(d; 0, axis_sigma^2))     (mothers elongated at least
//                                            minimum_elongation times: the
//                                            angle's density against a
//                                            uniform one)
//        - 1/2 sum_i (ln(a_i / (area_growth a_m / 2)) / area_sigma)^2
//                                           (areas, when all three are known)
class DivisionModel {
public:
    static constexpr double midpoint_gate = 4.0;

    explicit DivisionModel(const DivisionParameters& parameters);

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

    double division_probability() const { return p_.division_probability; }

private:
    DivisionParameters p_;
    double axis_sigma_ = 0.0;  // radians
};

}  // namespace lineage
