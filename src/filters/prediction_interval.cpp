#include "filters/prediction_interval.h"

#include <iostream>

#include "util/exception.h"

namespace ostrel {

double prediction_interval(double new_time, double estimate_time) {
    const double dt = new_time - estimate_time;
    if (dt < 0.0) std::cout << "dt = " << dt << " " << new_time << " " << estimate_time << std::endl;
    if (!(dt >= 0.0)) throw util::Exception("dt is negative in filter prediction.");
    return dt;
}

}  // namespace ostrel
