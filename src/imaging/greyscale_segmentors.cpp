#include "imaging/greyscale_segmentors.h"

#include <sstream>

#include "util/exception.h"

namespace ipc {

const config::Schema<GreyscaleThresholder::Parameters>& GreyscaleThresholder::schema() {
    using P = Parameters;
    // The threshold comes from the classes between the first and the last,
    // so at least two classes are needed.
    static const auto schema =
        config::Schema<P>("greyscale_segmentor",
                          "splits each image into foreground (label 1) and background (label 0) by clustering its "
                          "occupied grey levels")
            .required(&P::number_of_colors, "number_of_colors",
                      "how many classes the occupied grey levels are clustered into (an image needs as many levels)",
                      config::at_least(2).says("{entry} must be at least 2, {entry} = {value}"));
    return schema;
}

GreyscaleThresholder::GreyscaleThresholder(const Parameters& parameters)
    : number_of_colors_(schema().validate(parameters).number_of_colors) {}

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
