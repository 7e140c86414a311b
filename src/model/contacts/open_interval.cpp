#include "model/contacts/open_interval.h"

#include <sstream>

#include "util/exception.h"

namespace pntset {

namespace {
struct Bounds {
    double lower = 0;
    double upper = 0;
};

Bounds read_bounds(const xml::Querier& querier) {
    if (querier.name() != OpenInterval::key())
        throw util::Exception("Unknown key: key = " + querier.name());
    std::istringstream in(querier.raw_text());
    Bounds b;
    if (!xml::read_real(in, b.lower) || !xml::read_real(in, b.upper))
        throw util::Exception("unable to convert text from tag = " + querier.name());
    // Either bound may be infinite (no limit); NaN bounds nothing.
    querier.require_numbers(true);
    return b;
}
}  // namespace

OpenInterval::OpenInterval(double lower, double upper) : lower(lower), upper(upper) {
    if (!(lower < upper)) {
        std::ostringstream message;
        message << "OpenInterval is empty: lower = " << lower << ", upper = " << upper;
        throw util::Exception(message.str());
    }
}

OpenInterval::OpenInterval(const xml::Querier& querier)
    : OpenInterval(read_bounds(querier).lower, read_bounds(querier).upper) {}

void OpenInterval::write(xml::OutStream& out) const {
    out.tag(key()).text(lower).text(" ").text(upper).end_tag();
}

}  // namespace pntset
