#include "imaging/object_segmentors.h"

#include "imaging/operators/operator_parameters.h"
#include "util/exception.h"

namespace ipc {

ObjectSegmentationParameters read_object_segmentation(const xml::Querier& element) {
    ObjectSegmentationParameters p;
    if (element.has_tag("fill_holes")) {
        const std::string& text = element.tag("fill_holes").raw_text();
        if (text != "true" && text != "false")
            throw util::Exception("invalid fill_holes = " + text + " in " + element.name() +
                                  " (expected true or false)");
        p.fill_holes = text == "true";
    }
    p.minimum_size = read_integer_in_range(element, "minimum_size", 0, 2147483647, 0);
    p.seed_distance = read_real_in_range(element, "seed_distance", 0, 65535, 0.0);
    p.neck_ratio = read_real_in_range(element, "neck_ratio", 0, 1, p.neck_ratio);
    p.relative_threshold = read_real_in_range(element, "relative_threshold", 0, 1, 0.0);
    p.maximum_size = read_integer_in_range(element, "maximum_size", 0, 2147483647, 0);
    if (p.neck_ratio == 0)
        throw util::Exception("invalid neck_ratio = 0 in " + element.name() +
                              " (expected a finite number above 0 and at most 1)");
    return p;
}

}  // namespace ipc
