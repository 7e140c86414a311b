#include "imaging/object_segmentors.h"

#include "imaging/parameter_checks.h"
#include "util/exception.h"

namespace ipc {

namespace {

// "true" or "false"; any other word is refused rather than read as false.
bool true_or_false(const xml::Querier& element) {
    const std::string& text = element.raw_text();
    if (text != "true" && text != "false") {
        const xml::Tag* owner = element.current().parent;
        throw util::Exception("invalid " + element.name() + " = " + text + " in " +
                              (owner != nullptr ? owner->name : element.name()) + " (expected true or false)");
    }
    return text == "true";
}

}  // namespace

const config::Schema<ObjectSegmentationParameters>& object_segmentation_schema() {
    using P = ObjectSegmentationParameters;
    constexpr std::int64_t kLargestSize = 2147483647;  // 2^31 - 1
    static const auto schema =
        config::Schema<P>("object_segmentor",
                          "numbers the objects of a foreground mask, fills their holes, drops specks and splits "
                          "touching nuclei")
            .product(&P::fill_holes, "fill_holes", "true or false",
                     "dark spots inside an object (nucleoli) become part of it (default true)", true_or_false, false)
            .optional(&P::minimum_size, "minimum_size", "objects of fewer pixels (voxels) become background",
                      integer_in_range(std::int64_t{0}, kLargestSize))
            .optional(&P::seed_distance, "seed_distance",
                      "touching objects are split from centres at least this far apart, in pixels (0: no splitting)",
                      real_in_range(0, 65535))
            .optional(&P::neck_ratio, "neck_ratio",
                      "two parts stay one object unless the waist between them is narrower than this share of the "
                      "smaller one's width",
                      real_above_at_most(0, 1))
            .optional(&P::relative_threshold, "relative_threshold",
                      "each bright peak keeps the pixels above this share of its own height (0: all pixels)",
                      real_in_range(0, 1))
            .optional(&P::maximum_size, "maximum_size",
                      "parts are never joined into an object of more pixels (voxels) than this (0: no limit)",
                      integer_in_range(std::int64_t{0}, kLargestSize));
    return schema;
}

}  // namespace ipc
