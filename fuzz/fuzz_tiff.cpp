// The TIFF readers: the input is one file, read as a 2-D image, as a 3-D
// stack, and as a label mask through the chain that turns masks into
// contacts (the front of examples/cells/track_label_masks.xml).
#include <cstdint>

#include "app/registration.h"
#include "fuzz_support.h"
#include "imaging/tiff_readers.h"
#include "pipeline/component.h"
#include "util/exception.h"
#include "xml/querier.h"

namespace {

const char* const kMaskChain = R"(
<component_chain>
  <components>
    <short_image_tiff_reader>
      <directory>masks</directory>
      <start_time>0</start_time>
      <dt>1</dt>
    </short_image_tiff_reader>
    <short_image_segmented_image_initializer_algorithm_component/>
    <short_image_segmented_image_label_segmentor_algorithm_component/>
    <short_image_segmented_image_to_segment_image_converter_algorithm_component/>
    <segment_image_segmented_image_initializer_algorithm_component/>
    <segment_image_segmented_image_spatial_segmentor_algorithm_component/>
    <segment_image_segmented_image_to_contact_frame_converter>
      <sigma>1 1</sigma>
      <minimum_contact_size>1</minimum_contact_size>
    </segment_image_segmented_image_to_contact_frame_converter>
    <terminator/>
  </components>
</component_chain>)";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::Scratch scratch;
    static const bool ready = [] {
        app::register_all();
        std::filesystem::create_directory("masks");
        return true;
    }();
    (void)ready;
    const std::string name = "masks/input.tif";
    fuzz::write_file(name, data, size);
    bool readable = true;
    try {
        (void)ipc::read_short_image_tiff(name);
    } catch (const util::Exception&) {
        readable = false;
    }
    try {
        (void)ipc::read_short_image_3d_tiff(name);
    } catch (const util::Exception&) {
    }
    // The mask chain starts with the same 2-D reading; a file that fails it
    // fails there too.
    if (!readable) return 0;
    try {
        cmpnt::ComponentPtr chain = cmpnt::factory().create(xml::Querier::parse(std::string("\n") + kMaskChain));
        while (chain->push()) {
        }
    } catch (const util::Exception&) {
    }
    return 0;
}
