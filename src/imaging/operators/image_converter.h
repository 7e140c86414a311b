#pragma once
#include <string>

#include "config/schema.h"
#include "imaging/operators/color_map_parameters.h"
#include "imaging/operators/image_shapes.h"
#include "imaging/type_words.h"
#include "model/frame.h"
#include "pipeline/component.h"
#include "xml/querier.h"

namespace ipc {

// Converts every image frame of In into a frame of Out with the same time
// by applying the colour map Map to each pixel; the end-of-stream null frame
// is passed on. The configuration needs a "color_map" element (empty for
// the maps without parameters); the map's own parameters are read from it,
// or from the converter's element (see color_map_parameters_inside).
template <class In, class Out, class Map>
class ImageConverter : public cmpnt::MonoChildComponent {
public:
    using InFrame = frame::FrameTemplate<In>;
    using OutFrame = frame::FrameTemplate<Out>;

    struct Parameters {
        typename Map::Parameters color_map;
    };
    static const config::Schema<Parameters>& schema() {
        static const auto schema =
            config::Schema<Parameters>(Map::word() + "_image_converter",
                                       "converts each image frame pixel by pixel through a colour map")
                .nested(&Parameters::color_map, Map::schema(),
                        "the colour map; its parameters may also stand beside it");
        return schema;
    }

    explicit ImageConverter(const Parameters& parameters) : map_(parameters.color_map) {}
    explicit ImageConverter(const xml::Querier& element)
        : ImageConverter(schema().bind(color_map_parameters_inside(element))) {}

    static std::string key() {
        return type_word<In>() + "_to_" + type_word<Out>() + "_" + Map::word() + "_image_converter";
    }

    void push_frame(cmpnt::FramePtr incoming) override {
        if (!incoming) {
            child().push_frame(std::move(incoming));
            return;
        }
        auto input = frame::cast<InFrame>(incoming);
        if (!input->payload) throw util::Exception("image frame without payload in " + key());
        child().push_frame(std::make_shared<OutFrame>(input->time, convert(*input->payload)));
    }

    util::CountedPtr<Out> convert(const In& in) const {
        util::CountedPtr<Out> out = image_like<Out>(in);
        transform_pixels(in, *out, map_);
        return out;
    }

    const Map& map() const { return map_; }

private:
    Map map_;
};

}  // namespace ipc
