#include "filters/passive/discrete_belief.h"

namespace ostrel {

double total(const nmrc::DynamicVector& v) {
    double s = 0.0;
    for (int k = 0; k < v.size(); ++k) s += v[k];
    return s;
}

nmrc::DynamicVector divided(nmrc::DynamicVector v, double e) {
    for (int k = 0; k < v.size(); ++k) v[k] /= e;
    return v;
}

nmrc::DynamicVector certain(int length, int index) {
    nmrc::DynamicVector v(length);
    v[index] = 1.0;
    return v;
}

}  // namespace ostrel
