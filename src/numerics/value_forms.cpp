#include "numerics/value_forms.h"

#include <sstream>
#include <vector>

namespace config {

void ValueForm<nmrc::DynamicVector>::read(const xml::Querier& element, nmrc::DynamicVector& value) {
    std::istringstream in(element.raw_text());
    std::vector<double> numbers;
    double x = 0;
    while (xml::read_real(in, x)) numbers.push_back(x);
    in.clear();
    std::string rest;
    if (in >> rest) throw util::Exception("unable to convert text from tag = " + element.name());
    value = nmrc::DynamicVector(static_cast<int>(numbers.size()));
    for (int i = 0; i < value.size(); ++i) value[i] = numbers[i];
}

}  // namespace config
