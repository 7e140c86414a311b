// The configuration reader with include expansion: the input is up to three
// files cut at zero bytes (main.xml, a.xml, b.xml), so that includes find
// real files. Every element is then read the ways components read them.
#include <cstdint>

#include "fuzz_support.h"
#include "numerics/vector.h"
#include "util/exception.h"
#include "xml/querier.h"
#include "xml/strictness.h"

namespace {

void read_everything(const xml::Querier& element) {
    double real = 0;
    int integer = 0;
    nmrc::Vector<3> vector;
    try { element.text(real); } catch (const util::Exception&) {}
    try { element.text(integer); } catch (const util::Exception&) {}
    try { element.text(vector); } catch (const util::Exception&) {}
    try { element.require_numbers(false); } catch (const util::Exception&) {}
    for (const auto& attribute : element.current().attributes) {
        try { element.att(attribute.first, real); } catch (const util::Exception&) {}
    }
    for (const xml::Querier& child : element.tags()) read_everything(child);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::Scratch scratch;
    const std::vector<std::string> files = fuzz::split_at_zeros(data, size, 3);
    const char* names[] = {"main.xml", "a.xml", "b.xml"};
    for (std::size_t i = 0; i < 3; ++i) {
        std::error_code ignored;
        std::filesystem::remove(names[i], ignored);
        if (i < files.size()) fuzz::write_file(names[i], files[i]);
    }
    xml::set_strict_mode(size % 2 == 1);
    try {
        xml::Querier configuration = xml::Querier::open("main.xml");
        xml::expand_includes(configuration);
        read_everything(configuration);
        (void)configuration.current().to_string();
    } catch (const util::Exception&) {
    }
    return 0;
}
