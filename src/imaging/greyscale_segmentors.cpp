#include "imaging/greyscale_segmentors.h"

#include <sstream>

#include "util/exception.h"

namespace ipc {

GreyscaleThresholder::GreyscaleThresholder(const xml::Querier& querier) {
    querier.read("number_of_colors", number_of_colors_);
    // The threshold comes from the classes between the first and the last,
    // so at least two classes are needed.
    if (number_of_colors_ < 2)
        throw util::Exception("number_of_colors must be at least 2, number_of_colors = " +
                              std::to_string(number_of_colors_));
}

unsigned short GreyscaleThresholder::threshold(double time) const {
    const GreyLevels levels = histogram_.occupied();
    if (levels.size() < static_cast<std::size_t>(number_of_colors_)) {
        std::ostringstream message;
        message << "too few occupied grey levels for greyscale segmentation, occupied levels = "
                << levels.size() << ", number_of_colors = " << number_of_colors_ << ", time = " << time;
        throw util::Exception(message.str());
    }
    return grey_threshold(levels, number_of_colors_);
}

void GreyscaleThresholder::label(const Image<unsigned short>& image, unsigned short threshold,
                                 Image<int>& labels) {
    labels.resize(image.width(), image.height());
    const unsigned short* value = image.begin();
    for (int& label : labels) label = *value++ > threshold ? 1 : 0;
}

}  // namespace ipc
