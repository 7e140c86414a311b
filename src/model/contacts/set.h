#pragma once
#include "xml/out_stream.h"

namespace pntset {

// A set of real numbers (admissible ranges and the like).
class Set {
public:
    virtual ~Set() = default;
    virtual bool contains(double x) const = 0;
    virtual double measure() const = 0;
    virtual void write(xml::OutStream& out) const = 0;
};

}  // namespace pntset
