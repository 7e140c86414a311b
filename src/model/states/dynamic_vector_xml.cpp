#include "model/states/dynamic_vector_xml.h"

#include <sstream>

#include "util/exception.h"

namespace state {

nmrc::DynamicVector read_dynamic_vector(const xml::Querier& element, int length) {
    if (length < 0)
        throw util::Exception("negative length of " + element.name() + ": length = " +
                              std::to_string(length));
    if (length == 0) throw util::Exception("nmrc::Vector::read called on empty Vector");
    nmrc::DynamicVector v(length);
    element.text(v);
    element.require_numbers(false);
    return v;
}

nmrc::DynamicVector read_dynamic_vector(const xml::Querier& element) {
    std::istringstream words(element.raw_text());
    int count = 0;
    for (std::string word; words >> word;) ++count;
    return read_dynamic_vector(element, count);
}

}  // namespace state
