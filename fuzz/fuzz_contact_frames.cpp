// The contact-frame reader: the input is one recorded frame file, replayed
// by frame_reader and written back by frame_writer, so that every state it
// holds is read through the state factory and written again.
#include <cstdint>

#include "app/registration.h"
#include "fuzz_support.h"
#include "pipeline/component.h"
#include "util/exception.h"
#include "xml/querier.h"

namespace {

const char* const kReplay = R"(
<component_chain>
  <components>
    <frame_reader>
      <directory>frames</directory>
    </frame_reader>
    <frame_writer>
      <directory>out</directory>
      <create>false</create>
      <time_width>3</time_width>
      <time_factor>10</time_factor>
      <count_width>4</count_width>
    </frame_writer>
    <terminator/>
  </components>
</component_chain>)";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::Scratch scratch;
    static const bool ready = [] {
        app::register_all();
        std::filesystem::create_directory("frames");
        std::filesystem::create_directory("out");
        return true;
    }();
    (void)ready;
    fuzz::write_file("frames/0000.xml", data, size);
    try {
        cmpnt::ComponentPtr chain = cmpnt::factory().create(xml::Querier::parse(std::string("\n") + kReplay));
        while (chain->push()) {
        }
    } catch (const util::Exception&) {
    }
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator("out", ignored))
        std::filesystem::remove(entry.path(), ignored);
    return 0;
}
