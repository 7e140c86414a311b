#pragma once
#include "model/contacts/set.h"
#include "xml/querier.h"

namespace pntset {

// The open interval (lower, upper): both bounds excluded. Key
// "open_interval"; the text is the two bounds separated by one space.
class OpenInterval : public Set {
public:
    static const char* key() { return "open_interval"; }

    // Fails unless lower < upper.
    OpenInterval(double lower, double upper);
    // The Querier stands on the "open_interval" element; another element
    // name fails with "Unknown key: key = " and the name.
    explicit OpenInterval(const xml::Querier& querier);

    bool contains(double x) const override { return lower < x && x < upper; }
    double measure() const override { return upper - lower; }
    double midpoint() const { return 0.5 * (lower + upper); }
    void write(xml::OutStream& out) const override;

    double lower;
    double upper;
};

}  // namespace pntset
