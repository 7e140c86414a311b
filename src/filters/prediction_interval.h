#pragma once

namespace ostrel {

// dt = new_time - estimate_time for a prediction. Predictions only go forward
// (dt = 0 is allowed): a negative dt is written to standard output as
// "dt = <dt> <new time> <estimate time>" and then fails with
// "dt is negative in filter prediction."; a NaN dt fails with the same
// message.
double prediction_interval(double new_time, double estimate_time);

}  // namespace ostrel
